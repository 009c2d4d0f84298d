#include "Logic/Scanning/AppInfoFetcher.h"

#include "Models/CleanableItem.h"
#include "Platform/core/HomeDirectory.h"
#include "Platform/core/PackageFolder.h"
#include "Platform/core/PathText.h"
#include "Platform/core/PropertyList.h"
#include "Platform/core/StringsFile.h"
#include "Platform/core/TreeWalk.h"
#include "Platform/core/Utf8.h"

#include <algorithm>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <unordered_set>

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace zn {

namespace {

// Names and identifiers come from files anyone can write; no real one comes near this length, and one of
// megabytes would stall every screen and search that shows or matches it.
constexpr std::size_t kMaxBundleTextLength = 300;

// The operating system's own applications: never offered for removal. Compared exactly.
const std::unordered_set<std::string>& protectedBundleIDs() {
    static const std::unordered_set<std::string> ids{"com.apple.Safari",     "com.apple.finder",
                                                     "com.apple.AppStore",   "com.apple.systempreferences",
                                                     "com.apple.Terminal",   "com.apple.ActivityMonitor",
                                                     "com.apple.dt.Xcode",   "com.apple.mail",
                                                     "com.apple.iCal",       "com.apple.AddressBook",
                                                     "com.apple.Preview",    "com.apple.TextEdit",
                                                     "com.apple.calculator", "com.apple.MobileSMS",
                                                     "com.apple.FaceTime",   "com.apple.Music",
                                                     "com.apple.TV",         "com.apple.Podcasts",
                                                     "com.apple.News",       "com.apple.Maps",
                                                     "com.apple.Photos",     "com.apple.Notes",
                                                     "com.apple.reminders",  "com.apple.Stocks",
                                                     "com.apple.Home",       "com.apple.weather",
                                                     "com.apple.clock",      "com.apple.Passwords"};
    return ids;
}

bool isFolder(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string withoutExtension(const std::string& name) {
    auto dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::vector<std::string> localeLanguages() {
    const icu::Locale& locale = icu::Locale::getDefault();
    std::vector<std::string> languages;
    std::string full = locale.getBaseName();
    if (!full.empty())
        languages.push_back(full);
    std::string language = locale.getLanguage();
    if (!language.empty() && language != full)
        languages.push_back(language);
    return languages;
}

std::optional<PlistValue> readInfoPlist(const std::string& bundlePath) {
    if (auto info = readPropertyListFile(bundlePath + "/Contents/Info.plist"))
        return info;
    return readPropertyListFile(bundlePath + "/Info.plist");
}

// Case-insensitive in the user's locale; stable, so equal names keep their discovery order.
void sortByName(std::vector<InstalledApp>& apps) {
    // The "C" locale maps to en_US_POSIX, whose collation orders by code point (case-sensitively).
    icu::Locale locale = icu::Locale::getDefault();
    if (std::string_view(locale.getVariant()) == "POSIX")
        locale = icu::Locale::getRoot();
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(locale, status));
    if (U_FAILURE(status) || !collator)
        return;
    collator->setStrength(icu::Collator::SECONDARY);
    std::stable_sort(apps.begin(), apps.end(), [&](const InstalledApp& a, const InstalledApp& b) {
        UErrorCode compareStatus = U_ZERO_ERROR;
        return collator->compareUTF8(a.appName, b.appName, compareStatus) == UCOL_LESS;
    });
}

} // namespace

AppInfoFetcher::AppInfoFetcher(std::vector<std::string> roots, std::vector<std::string> preferredLanguages)
    : roots_(std::move(roots)), preferredLanguages_(std::move(preferredLanguages)) {
    if (roots_.empty())
        roots_ = {"/Applications", currentUserHomeDirectory() + "/Applications"};
    if (preferredLanguages_.empty())
        preferredLanguages_ = localeLanguages();
}

AppInfoFetcher& AppInfoFetcher::shared() {
    static AppInfoFetcher instance;
    return instance;
}

std::vector<InstalledApp> AppInfoFetcher::fetchInstalledApps(std::stop_token stop) const {
    std::set<std::string> seen;
    std::vector<InstalledApp> apps;
    for (InstalledApp& app : fetchEveryBundle(stop)) {
        if (stop.stop_requested())
            break;
        if (seen.contains(app.bundleIdentifier) || protectedBundleIDs().contains(app.bundleIdentifier))
            continue;
        seen.insert(app.bundleIdentifier);
        app.size = appSize(app.path, stop);
        apps.push_back(std::move(app));
    }
    sortByName(apps);
    return apps;
}

std::vector<InstalledApp> AppInfoFetcher::fetchEveryBundle(std::stop_token stop) const {
    std::vector<InstalledApp> bundles;
    for (const auto& root : roots_) {
        walkTree(root, [&](const TreeEntry& entry) {
            if (stop.stop_requested())
                return WalkAction::stop;
            // Whatever is inside a package (nested helpers, plug-ins, frameworks) belongs to it.
            if (!isPackageName(entry.name))
                return WalkAction::proceed;
            if (PathText::pathExtension(entry.name) == "app")
                if (auto app = loadAppInfo(entry.path))
                    bundles.push_back(std::move(*app));
            return WalkAction::skipDescendants;
        });
    }
    return bundles;
}

std::optional<InstalledApp> AppInfoFetcher::loadAppInfo(const std::string& bundlePath) const {
    if (!isFolder(bundlePath))
        return std::nullopt;
    const std::string fileName = PathText::lastPathComponent(bundlePath);
    const auto info = readInfoPlist(bundlePath);

    InstalledApp app;
    app.id = Uuid::random();
    app.path = bundlePath;
    auto identifier = info ? info->stringForKey("CFBundleIdentifier") : std::nullopt;
    app.bundleIdentifier =
        truncatedWithEllipsis(identifier ? *identifier : withoutExtension(fileName), kMaxBundleTextLength);

    // Each key in the bundle's translation for the user's language first, then as the bundle states it.
    std::optional<std::string> name;
    for (const char* key : {"CFBundleDisplayName", "CFBundleName"}) {
        name = localizedValue(bundlePath, key);
        if (!name && info)
            name = info->stringForKey(key);
        if (name)
            break;
    }
    app.appName = truncatedWithEllipsis(name ? *name : withoutExtension(fileName), kMaxBundleTextLength);
    return app;
}

// The bundle's own translation of an Info.plist value for the user's language, when it ships one.
std::optional<std::string> AppInfoFetcher::localizedValue(const std::string& bundlePath,
                                                          const char* key) const {
    for (const auto& language : preferredLanguages_) {
        for (const char* resources : {"/Contents/Resources/", "/"}) {
            auto table = readStringsFile(bundlePath + resources + language + ".lproj/InfoPlist.strings");
            if (!table)
                continue;
            if (auto found = table->find(key); found != table->end())
                return found->second;
        }
    }
    return std::nullopt;
}

std::int64_t AppInfoFetcher::appSize(const std::string& bundlePath, std::stop_token stop) {
    return allocatedSizeOfTree(bundlePath, std::move(stop));
}

} // namespace zn
