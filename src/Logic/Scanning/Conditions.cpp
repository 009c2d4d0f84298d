#include "Logic/Scanning/Conditions.h"

#include "Logic/Scanning/Locations.h"
#include "Logic/Scanning/StringNormalization.h"

#include <sys/stat.h>

namespace zn {

namespace {

std::vector<std::string> normalizedTerms(const std::vector<std::string>& terms) {
    std::vector<std::string> result;
    result.reserve(terms.size());
    for (const std::string& term : terms)
        result.push_back(normalizedForMatching(term));
    return result;
}

// A path written with a trailing "/" names the folder itself; it is kept without the "/" so that it
// compares equal to the paths the walk finds.
std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::optional<std::vector<std::string>> existingPaths(const std::optional<std::vector<std::string>>& paths) {
    if (!paths)
        return std::nullopt;
    std::vector<std::string> kept;
    for (const std::string& written : *paths) {
        std::string path = withoutTrailingSlashes(written);
        struct stat info;
        if (::stat(path.c_str(), &info) == 0)
            kept.push_back(std::move(path));
    }
    return kept;
}

} // namespace

AppCondition::AppCondition(const std::string& bundleID, const std::vector<std::string>& includeTerms,
                           const std::vector<std::string>& excludeTerms,
                           const std::optional<std::vector<std::string>>& forceIncludePaths,
                           const std::optional<std::vector<std::string>>& forceExcludePaths)
    : bundleID(normalizedForMatching(bundleID)), includeTerms(normalizedTerms(includeTerms)),
      excludeTerms(normalizedTerms(excludeTerms)), forceIncludePaths(existingPaths(forceIncludePaths)),
      forceExcludePaths(existingPaths(forceExcludePaths)) {}

std::vector<AppCondition> makeAppConditions(const std::string& home) {
    using Paths = std::vector<std::string>;
    return {
        {"com.apple.dt.xcode",
         {"com.apple.dt", "xcode", "simulator"},
         {"com.robotsandpencils.xcodesapp", "com.xcodesorg.xcodesapp", "com.oneminutegames.xcodecleaner",
          "io.hyperapp.xcodecleaner", "available-xcodes", "xcodes", "cleaner for xcode"},
         Paths{home + "/Library/Containers/com.apple.iphonesimulator.ShareExtension"}},
        {"com.robotsandpencils.xcodesapp",
         {},
         {"com.apple.dt.xcode", "com.oneminutegames.xcodecleaner", "io.hyperapp.xcodecleaner"}},
        {"com.xcodesorg.xcodesapp",
         {},
         {"com.apple.dt.xcode", "com.oneminutegames.xcodecleaner", "io.hyperapp.xcodecleaner"}},
        {"io.hyperapp.xcodecleaner",
         {},
         {"com.robotsandpencils.xcodesapp", "com.oneminutegames.xcodecleaner", "com.apple.dt.xcode",
          "xcodes.json"}},
        {"us.zoom.xos", {"zoom"}, {}},
        {"com.microsoft.teams2", {}, {"office"}},
        {"com.brave.browser", {"brave"}, {}},
        {"com.google.chrome", {"google", "chrome"}, {"iterm", "chromefeaturestate", "monochrome"}},
        {"com.microsoft.edgemac", {}, {"vscode", "rdc", "appcenter", "office", "oneauth"}},
        {"org.mozilla.firefox", {"firefox"}, {"thunderbird"}},
        {"org.mozilla.firefox.nightly", {"mozilla", "firefox"}, {"thunderbird"}},
        {"org.mozilla.thunderbird", {}, {"firefox"}},
        {"company.thebrowser.Browser",
         {"firestore"},
         {},
         Paths{home + "/Library/Application Support/Arc/", home + "/Library/Caches/Arc/"}},
        {"com.microsoft.VSCode",
         {"vscode"},
         {"vscodeinsiders", "insiders"},
         Paths{home + "/Library/Application Support/Code/"}},
        {"com.microsoft.VSCodeInsiders",
         {"vscodeinsiders", "insiders"},
         {},
         Paths{home + "/Library/Application Support/Code - Insiders/"}},
        {"com.github.githubclient", {"comgithubelectron"}, {}},
        {"jetbrains",
         {"jcef"},
         {},
         Paths{home + "/Library/Application Support/JetBrains/", home + "/Library/Caches/JetBrains/",
               home + "/Library/Logs/JetBrains/"}},
        {"com.native-instruments.nativeaccess", {"comnative", "nativeinstruments"}, {}},
        {"com.logi.optionsplus", {"logi", "logipluginservice"}, {"login", "logic"}},
        {"com.1password.1password", {"waveboxapp", "sidekick"}, {}},
        {"eu.exelban.Stats", {}, {"video"}},
        {"me.mhaeuser.BatteryToolkit", {"me.mhaeuser"}, {}},
        {"com.okta.mobile", {"okta"}, {}},
        {"com.now.gg.BlueStacks", {"bst_boost_interprocess"}, {}},
        {"com.electron.sdm", {"strongdm"}, {}},
        {"com.facebook.archon.developerid", {"archon.loginhelper"}, {}},
    };
}

const std::vector<AppCondition>& appConditions() {
    static const std::vector<AppCondition> rows = makeAppConditions(home());
    return rows;
}

} // namespace zn
