#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zn {

// The folders whose items are worth the administrator pass when the user's own rights do not reach them:
// what lies in an application bundle of the machine's or the user's applications folder, an installer
// receipt directly in a receipts folder, a system launch item's property list.
class AdministratorPassFolders {
public:
    // `home` standardised ("" for none); `systemRoot` is prefixed to the system's folders ("" for the real
    // ones).
    AdministratorPassFolders(const std::string& home, const std::string& systemRoot);

    // The folder whose rule admits the standardised `path`; none when no rule does.
    std::optional<std::string> folderAdmitting(const std::string& path) const;
    // The machine's applications folder, whose real bundles are the machine's whoever installed them.
    const std::string& machineApplications() const { return machineApplications_; }

    // The part of `path` below `root` has a component ending in ".app" (any case).
    static bool hasAppBundleComponent(std::string_view path, std::string_view root);
    // `path` lies directly in `directory` and its lower-cased extension is one of `extensions`.
    static bool isDirectFile(std::string_view path, std::string_view directory,
                             const std::set<std::string>& extensions);

private:
    struct Folder {
        std::string path; // standardised
        bool (*admits)(std::string_view path, std::string_view folder);
    };
    std::string machineApplications_;
    std::vector<Folder> folders_;
};

} // namespace zn
