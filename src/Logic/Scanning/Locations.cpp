#include "Logic/Scanning/Locations.h"

#include "Logic/Scanning/DirectoryEntries.h"
#include "Platform/core/HomeDirectory.h"
#include "Platform/core/HomeTrash.h"
#include "Platform/core/PathText.h"

#include <cstdlib>
#include <sys/stat.h>

namespace zn {

namespace {

bool isDirectoryFollowingLinks(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::string> fixedAppSearchPaths(const Locations::Roots& roots) {
    const std::string& h = roots.home;
    const std::string& s = roots.systemRoot;
    return {
        h + "/.config",
        h + "/Documents",
        h + "/Desktop",
        h + "/Applications",
        h + "/Library",
        h + "/Library/Application Scripts",
        h + "/Library/Application Support",
        h + "/Library/Application Support/CrashReporter",
        h + "/Library/Application Support/com.apple.sharedfilelist/"
            "com.apple.LSSharedFileList.ApplicationRecentDocuments",
        h + "/Library/Containers",
        h + "/Library/Caches",
        h + "/Library/Caches/com.apple.helpd/Generated",
        h + "/Library/Caches/com.crashlytics",
        h + "/Library/Caches/com.google.SoftwareUpdate",
        h + "/Library/Caches/com.google.Keystone",
        h + "/Library/Caches/org.sparkle-project.Sparkle",
        h + "/Library/Caches/com.segment.analytics",
        h + "/Library/Caches/SentryCrash",
        h + "/Library/Caches/Rollbar",
        h + "/Library/Caches/Amplitude",
        h + "/Library/Caches/Realm",
        h + "/Library/Caches/Parse",
        h + "/Library/Group Containers",
        h + "/Library/HTTPStorages",
        h + "/Library/Internet Plug-Ins",
        h + "/Library/LaunchAgents",
        h + "/Library/Logs",
        h + "/Library/Logs/DiagnosticReports",
        h + "/Library/Preferences",
        h + "/Library/PreferencePanes",
        h + "/Library/Preferences/ByHost",
        h + "/Library/Saved Application State",
        h + "/Library/Services",
        h + "/Library/WebKit",
        s + "/Applications",
        s + "/Users/Shared",
        s + "/Users/Shared/Library/Application Support",
        s + "/Library",
        s + "/Library/Application Support",
        s + "/Library/Application Support/CrashReporter",
        s + "/Library/Caches",
        s + "/Library/Extensions",
        s + "/Library/Internet Plug-Ins",
        s + "/Library/LaunchAgents",
        s + "/Library/LaunchDaemons",
        s + "/Library/Logs",
        s + "/Library/Logs/DiagnosticReports",
        s + "/Library/Preferences",
        s + "/Library/PrivilegedHelperTools",
        s + "/private/var/db/receipts",
        s + "/private/tmp",
        s + "/usr/local/bin",
        s + "/usr/local/etc",
        s + "/usr/local/opt",
        s + "/usr/local/sbin",
        s + "/usr/local/share",
        s + "/usr/local/var",
        roots.cacheDir,
        roots.tempDir,
    };
}

std::vector<std::string> reverseSearchPaths(const Locations::Roots& roots) {
    const std::string& h = roots.home;
    const std::string& s = roots.systemRoot;
    return {
        h + "/Library/Application Scripts",
        h + "/Library/Application Support",
        h + "/Library/Application Support/Caches",
        h + "/Library/Application Support/com.apple.sharedfilelist/"
            "com.apple.LSSharedFileList.ApplicationRecentDocuments",
        h + "/Library/Containers",
        h + "/Library/Caches",
        h + "/Library/HTTPStorages",
        h + "/Library/Internet Plug-Ins",
        h + "/Library/LaunchAgents",
        h + "/Library/Logs",
        h + "/Library/Preferences",
        h + "/Library/PreferencePanes",
        h + "/Library/Preferences/ByHost",
        h + "/Library/Saved Application State",
        h + "/Library/WebKit",
        s + "/Users/Shared/Library/Application Support",
        s + "/Library/Application Support",
        s + "/Library/Application Support/CrashReporter",
        s + "/Library/Internet Plug-Ins",
        s + "/Library/LaunchAgents",
        s + "/Library/LaunchDaemons",
        s + "/Library/PrivilegedHelperTools",
    };
}

} // namespace

const std::string& home() {
    static const std::string value = currentUserHomeDirectory();
    return value;
}

Locations::Roots Locations::Roots::current() {
    auto [caches, temporary] = darwinCT();
    return {zn::home(), "", std::move(caches), std::move(temporary), currentDataHomeVariable()};
}

Locations::Locations() : Locations(Roots::current()) {}

Locations::Locations(Roots roots) : roots_(std::move(roots)) {
    appSearch = {"Apps", fixedAppSearchPaths(roots_)};
    for (const std::string& name : listAppSupportDirectories(roots_.home))
        appSearch.paths.push_back(roots_.home + "/Library/Application Support/" + name);
    reverseSearch = {"Reverse", reverseSearchPaths(roots_)};
}

std::pair<std::string, std::string> Locations::darwinCT() {
    const char* temporary = std::getenv("TMPDIR");
    return {home() + "/Library/Caches", temporary ? temporary : ""};
}

std::vector<std::string> Locations::listAppSupportDirectories(const std::string& home) {
    const std::string folder = home + "/Library/Application Support";
    std::vector<std::string> kept;
    for (const std::string& name : directoryEntryNames(folder).value_or(std::vector<std::string>{}))
        if (isDirectoryFollowingLinks(PathText::appendingPathComponent(folder, name)))
            kept.push_back(name);
    return kept;
}

const std::set<std::string>& Locations::standardLibrarySubdirectories() {
    static const std::set<std::string> names = {"Application Scripts",
                                                "Application Support",
                                                "Caches",
                                                "Containers",
                                                "Group Containers",
                                                "HTTPStorages",
                                                "Internet Plug-Ins",
                                                "LaunchAgents",
                                                "LaunchDaemons",
                                                "Logs",
                                                "Preferences",
                                                "PreferencePanes",
                                                "PrivilegedHelperTools",
                                                "Saved Application State",
                                                "Services",
                                                "WebKit",
                                                "Extensions",
                                                "Frameworks"};
    return names;
}

} // namespace zn
