#include "Logic/Scanning/SkipTables.h"

#include "Logic/Scanning/Locations.h"
#include "Platform/core/HomeTrash.h"
#include "Platform/core/PathText.h"

#include <array>

namespace zn {

namespace {

constexpr std::array<std::string_view, 36> kHighRiskHomeDotNames = {
    ".claude", ".ssh",     ".aws",       ".gnupg",           ".gpg",          ".kube",   ".docker",
    ".config", ".git",     ".gitconfig", ".git-credentials", ".netrc",        ".npmrc",  ".yarnrc",
    ".pnpmrc", ".pip",     ".pypirc",    ".rbenv",           ".pyenv",        ".nvm",    ".cargo",
    ".rustup", ".gem",     ".local",     ".password-store",  ".mozilla",      ".wine",   ".vscode",
    ".vim",    ".viminfo", ".zshrc",     ".zsh_history",     ".bash_history", ".bashrc", ".bash_profile",
    ".profile"};

} // namespace

std::vector<std::string> makeHighRiskHomeDotPaths(const std::string& home) {
    std::vector<std::string> paths;
    paths.reserve(kHighRiskHomeDotNames.size());
    for (std::string_view name : kHighRiskHomeDotNames)
        paths.push_back(home + "/" + std::string(name));
    return paths;
}

const std::vector<std::string>& highRiskHomeDotPaths() {
    static const std::vector<std::string> paths = makeHighRiskHomeDotPaths(home());
    return paths;
}

bool isHighRiskPath(std::string_view path, const std::vector<std::string>& highRiskPaths) {
    for (const std::string& risky : highRiskPaths)
        if (PathText::isSameOrInside(path, risky))
            return true;
    return false;
}

std::vector<SkipCondition> makeSkipConditions(const std::string& home, const std::string& systemRoot,
                                              const std::optional<std::string>& dataHome) {
    SkipCondition row;
    row.skipPrefixes = {"mobiledocuments", "reminders", "dsstore", "comapplepasswordmanager"};
    row.allowPrefixes = {"comappleconfigurator",    "comappledt",         "comappleiwork",
                         "comapplesfsymbols",       "comappletestflight", "comapplesharedfilelist",
                         "comapplelssharedfilelist"};
    row.skipPaths = {
        HomeTrash(home, dataHome).folder(),
        systemRoot + "/Library/SystemExtensions",
        systemRoot + "/System/Volumes/Preboot/Cryptexes/App/System/Library/CoreServices/"
                     "PasswordManagerBrowserExtensionHelper.app/Contents/MacOS/"
                     "PasswordManagerBrowserExtensionHelper",
        home + "/Library/Application Support/Chromium/NativeMessagingHosts/com.apple.passwordmanager.json",
        home + "/Library/Application Support/Google/Chrome/NativeMessagingHosts/"
               "com.apple.passwordmanager.json",
    };
    for (std::string& path : makeHighRiskHomeDotPaths(home))
        row.skipPaths.push_back(std::move(path));
    return {std::move(row)};
}

const std::vector<SkipCondition>& skipConditions() {
    static const std::vector<SkipCondition> rows = makeSkipConditions(home(), "", currentDataHomeVariable());
    return rows;
}

const std::unordered_set<std::string>& skipDeepSearch() {
    static const std::unordered_set<std::string> names = {
        // Apple system folders
        "Apple", "Audio", "Bluetooth", "ColorSync", "Components", "CoreAnalytics", "CoreMediaIO",
        "DirectoryServices", "Filesystems", "GPUBundles", "Graphics", "KernelCollections", "OSAnalytics",
        "OpenDirectory", "Sandbox", "Security", "SystemExtensions", "SystemMigration", "SystemProfiler",
        "StagedDriverExtensions", "StagedExtensions", "StartupItems",
        // privacy and media
        "Accessibility", "Accounts", "AppleMediaServices", "Assistant", "Assistants", "Autosave Information",
        "Biome", "Calendars", "CallServices", "CloudStorage", "Contacts", "Cookies", "DataAccess",
        "DataDeliveryServices", "DoNotDisturb", "DuetExpertCenter", "Finance", "FinanceBackup", "FrontBoard",
        "GameKit", "GroupContainersAlias", "HomeKit", "IdentityServices", "IntelligencePlatform", "Intents",
        "KeyboardServices", "LanguageModeling", "LockdownMode", "Mail", "MediaAnalysis", "Messages",
        "Metadata", "Mobile Documents", "MobileDevice", "News", "Passes", "PersonalizationPortrait", "Photos",
        "PrivateCloudCompute", "Reminders", "ResponseKit", "Safari", "SafariSafeBrowsing",
        "SafariSandboxBroker", "ScreenRecordings", "StatusKit", "Suggestions", "SyncedPreferences",
        "Translation", "UnifiedAssetFramework", "Weather", "homeenergyd", "studentd",
        // language runtimes and installers
        "Developer", "Perl", "Ruby", "Java", "Python", "Catacomb", "InstallerSandboxes", "Trial", "Updates",
        "Staging", "ContainerManager", "Daemon Containers",
        // standard content folders
        "ColorPickers", "Colors", "Compositions", "Contextual Menu Items", "Documentation",
        "DriverExtensions", "Favorites", "FontCollections", "Fonts", "Image Capture", "Input Methods",
        "Jupyter", "Keyboard", "Keyboard Layouts", "Keychains", "Managed Preferences", "PDF Services",
        "Printers", "QuickLook", "Receipts", "Screen Savers", "ScriptingAdditions", "Scripts", "Sharing",
        "Shortcuts", "Sounds", "Speech", "Spelling", "Spotlight", "User Pictures", "User Template", "Video",
        "WebServer", "Workflows",
        // Apple service folders
        "com.apple.AppleMediaServices", "com.apple.WatchListKit", "com.apple.aiml.instrumentation",
        "com.apple.appleaccountd", "com.apple.bluetooth.services.cloud", "com.apple.bluetoothuser",
        "com.apple.familycircled", "com.apple.iTunesCloud", "com.apple.internal.ck", "com.apple.cloudpaird",
        "com.apple.iCloudHelper", "com.apple.nsurlsessiond", "com.apple.sbd", "com.apple.touristd",
        "com.apple.AMPLibraryAgent", "com.apple.bird", "com.apple.coreduetd", "com.apple.homed",
        "com.apple.photoanalysisd", "com.apple.routined", "com.apple.siriactionsd", "com.apple.suggestd",
        "com.apple.AppStoreComponents", "com.apple.ScreenTimeUI", "com.apple.TelephonyUtilities",
        "com.apple.WebInspector"};
    return names;
}

} // namespace zn
