#include "Platform/core/PathText.h"
#include "Services/ScanEngine+CleanupTargets.h"

#include <array>

namespace zn {

namespace {

// Session and cache folders smaller than this are not worth offering.
constexpr std::int64_t kFolderMinimum = 1024;

struct ChromiumBrowser {
    const char* name;
    const char* supportSuffix;
    const char* cacheSuffix;
    bool supportFolderIsProfile; // Opera keeps its first profile in the support folder itself
};

constexpr std::array<ChromiumBrowser, 4> kChromiumBrowsers{{
    {"Chrome", "/Library/Application Support/Google/Chrome", "/Library/Caches/Google/Chrome", false},
    {"Edge", "/Library/Application Support/Microsoft Edge", "/Library/Caches/Microsoft Edge", false},
    {"Opera", "/Library/Application Support/com.operasoftware.Opera",
     "/Library/Caches/com.operasoftware.Opera", true},
    {"Opera GX", "/Library/Application Support/com.operasoftware.OperaGX",
     "/Library/Caches/com.operasoftware.OperaGX", true},
}};

// One candidate of every profile: named after its owner ("Chrome Profile 1") plus the suffix, it lies in
// the profile folder or, for caches, in the profile's folder among the browser's caches.
struct ProfileFile {
    const char* nameSuffix;
    const char* fileName;
    bool inCacheProfile;
    std::int64_t minimumSize;
};

constexpr std::array<ProfileFile, 9> kChromiumProfileFiles{{
    {" history", "History", false, 0},
    {" recent browsing data", "History-journal", false, 0},
    {" download history", "DownloadMetadata", false, 0},
    {" visited links", "Visited Links", false, 0},
    {" top sites", "Top Sites", false, 0},
    {" last session", "Sessions", false, kFolderMinimum},
    {" website files", "Cache", true, kFolderMinimum},
    {" saved page files", "Code Cache", true, kFolderMinimum},
    {" graphics files", "GPUCache", true, kFolderMinimum},
}};

constexpr std::array<ProfileFile, 7> kFirefoxProfileFiles{{
    {" history and downloads", "places.sqlite", false, 0},
    {" history helper file", "places.sqlite-wal", false, 0},
    {" history index file", "places.sqlite-shm", false, 0},
    {" website icons", "favicons.sqlite", false, 0},
    {" recent session", "sessionstore-backups", false, kFolderMinimum},
    {" website files", "cache2", true, kFolderMinimum},
    {" startup cache", "startupCache", true, kFolderMinimum},
}};

template <std::size_t N>
void appendProfileTargets(std::vector<ScanEngine::CleanupTarget>& targets,
                          const std::array<ProfileFile, N>& files, const std::string& owner,
                          const std::string& profile, const std::string& cacheProfile) {
    for (const ProfileFile& file : files) {
        targets.push_back(
            {owner + file.nameSuffix,
             PathText::appendingPathComponent(file.inCacheProfile ? cacheProfile : profile, file.fileName),
             true, file.minimumSize});
    }
}

} // namespace

CategoryResult ScanEngine::scanPrivacySweepLocked() {
    std::vector<CleanupTarget> targets{
        {"Safari browsing history", home_ + "/Library/Safari/History.db", true, 0},
        {"Safari recent browsing data", home_ + "/Library/Safari/History.db-wal", true, 0},
        {"Safari history helper file", home_ + "/Library/Safari/History.db-shm", true, 0},
        {"Safari download history", home_ + "/Library/Safari/Downloads.plist", true, 0},
        {"Safari last session", home_ + "/Library/Safari/LastSession.plist", true, 0},
        {"Safari website files", home_ + "/Library/Caches/com.apple.Safari", true, kFolderMinimum},
        {"Safari saved website files", home_ + "/Library/Containers/com.apple.Safari/Data/Library/Caches",
         true, kFolderMinimum},
    };

    for (const ChromiumBrowser& browser : kChromiumBrowsers) {
        const std::string supportRoot = home_ + browser.supportSuffix;
        const std::string cacheRoot = home_ + browser.cacheSuffix;
        if (browser.supportFolderIsProfile) {
            auto own = chromiumPrivacyTargets(browser.name, "", supportRoot, cacheRoot);
            targets.insert(targets.end(), own.begin(), own.end());
        }
        for (const std::string& profile : chromiumProfileDirectories(supportRoot)) {
            const std::string folderName = PathText::lastPathComponent(profile);
            const std::string label = folderName == "Default" ? "" : " " + folderName;
            auto found = chromiumPrivacyTargets(browser.name, label, profile,
                                                PathText::appendingPathComponent(cacheRoot, folderName));
            targets.insert(targets.end(), found.begin(), found.end());
        }
    }

    auto firefox = firefoxPrivacyTargets(home_ + "/Library/Application Support/Firefox/Profiles",
                                         home_ + "/Library/Caches/Firefox/Profiles");
    targets.insert(targets.end(), firefox.begin(), firefox.end());

    return scanCleanupTargetsLocked(targets, CleaningCategory::privacySweep);
}

std::vector<std::string> ScanEngine::chromiumProfileDirectories(const std::string& supportRoot) const {
    const FileSystem& files = fileSystem();
    if (!files.fileExists(supportRoot).exists)
        return {};
    DirectoryListing listing = files.contentsOfDirectory(supportRoot);
    if (!listing.listed)
        return {};

    std::vector<std::string> profiles;
    for (const std::string& name : listing.names) {
        std::string folder = PathText::appendingPathComponent(supportRoot, name);
        // The entry itself must be a folder: a link to one is not a profile of this browser.
        AttributesReading own = files.attributesOfItem(folder);
        if (!own.attributes || own.attributes->type != FileType::directory)
            continue;
        const bool namedAsProfile = name == "Default" || name == "System Profile" ||
                                    name == "Guest Profile" || name.starts_with("Profile ");
        const bool isProfile = namedAsProfile || files.fileExists(folder + "/History").exists ||
                               files.fileExists(folder + "/History-journal").exists ||
                               files.fileExists(folder + "/Visited Links").exists;
        if (isProfile)
            profiles.push_back(std::move(folder));
    }
    return profiles;
}

std::vector<ScanEngine::CleanupTarget> ScanEngine::chromiumPrivacyTargets(const std::string& browserName,
                                                                          const std::string& profileName,
                                                                          const std::string& profile,
                                                                          const std::string& cacheProfile) {
    std::vector<CleanupTarget> targets;
    appendProfileTargets(targets, kChromiumProfileFiles, browserName + profileName, profile, cacheProfile);
    return targets;
}

std::vector<ScanEngine::CleanupTarget> ScanEngine::firefoxPrivacyTargets(const std::string& supportRoot,
                                                                         const std::string& cacheRoot) const {
    const FileSystem& files = fileSystem();
    if (!files.fileExists(supportRoot).exists)
        return {};
    DirectoryListing listing = files.contentsOfDirectory(supportRoot);
    if (!listing.listed)
        return {};

    std::vector<CleanupTarget> targets;
    for (const std::string& name : listing.names) {
        const std::string profile = PathText::appendingPathComponent(supportRoot, name);
        // Every folder counts as a profile, whatever its name; a link to one does not.
        AttributesReading own = files.attributesOfItem(profile);
        if (!own.attributes || own.attributes->type != FileType::directory)
            continue;
        appendProfileTargets(targets, kFirefoxProfileFiles, "Firefox " + name, profile,
                             PathText::appendingPathComponent(cacheRoot, name));
    }
    return targets;
}

} // namespace zn
