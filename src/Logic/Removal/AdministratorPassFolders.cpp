#include "Logic/Removal/AdministratorPassFolders.h"

#include "Logic/Scanning/StringNormalization.h"
#include "Platform/core/PathText.h"

namespace zn {

namespace {

std::string standardized(std::string_view path) {
    return PathText::standardizingPath(path, "");
}

bool isInBundle(std::string_view path, std::string_view folder) {
    return AdministratorPassFolders::hasAppBundleComponent(path, folder);
}

bool isReceipt(std::string_view path, std::string_view folder) {
    return AdministratorPassFolders::isDirectFile(path, folder, {"plist", "bom"});
}

bool isLaunchItem(std::string_view path, std::string_view folder) {
    return AdministratorPassFolders::isDirectFile(path, folder, {"plist"});
}

} // namespace

AdministratorPassFolders::AdministratorPassFolders(const std::string& home, const std::string& systemRoot)
    : machineApplications_(standardized(systemRoot + "/Applications")) {
    folders_.push_back({machineApplications_, isInBundle});
    if (!home.empty() && home != "/")
        folders_.push_back({standardized(home + "/Applications"), isInBundle});
    folders_.push_back({standardized(systemRoot + "/private/var/db/receipts"), isReceipt});
    folders_.push_back({standardized(systemRoot + "/var/db/receipts"), isReceipt});
    folders_.push_back({standardized(systemRoot + "/Library/LaunchDaemons"), isLaunchItem});
    folders_.push_back({standardized(systemRoot + "/Library/LaunchAgents"), isLaunchItem});
}

std::optional<std::string> AdministratorPassFolders::folderAdmitting(const std::string& path) const {
    for (const Folder& folder : folders_)
        if (folder.admits(path, folder.path))
            return folder.path;
    return std::nullopt;
}

bool AdministratorPassFolders::hasAppBundleComponent(std::string_view path, std::string_view root) {
    std::string base = standardized(root);
    if (path == base)
        return false;
    if (!base.ends_with('/'))
        base += '/';
    if (!path.starts_with(base))
        return false;
    std::string_view rest = path.substr(base.size());
    while (!rest.empty()) {
        const auto slash = rest.find('/');
        const std::string_view piece = rest.substr(0, slash);
        if (!piece.empty() && lowercased(piece).ends_with(".app"))
            return true;
        if (slash == std::string_view::npos)
            break;
        rest.remove_prefix(slash + 1);
    }
    return false;
}

bool AdministratorPassFolders::isDirectFile(std::string_view path, std::string_view directory,
                                            const std::set<std::string>& extensions) {
    return standardized(PathText::deletingLastPathComponent(path)) == standardized(directory) &&
           extensions.contains(lowercased(PathText::pathExtension(path)));
}

} // namespace zn
