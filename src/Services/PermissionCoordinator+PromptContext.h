#pragma once

#include <cstdint>
#include <string>

namespace zn {

// Why Full Disk Access is asked for; titles the permission prompt.
class PermissionPromptContext {
public:
    enum class Kind { cleanup, uninstall, general };

    static PermissionPromptContext cleanup(std::int64_t failedCount) {
        return {Kind::cleanup, {}, failedCount};
    }
    static PermissionPromptContext uninstall(std::string appName, std::int64_t failedCount) {
        return {Kind::uninstall, std::move(appName), failedCount};
    }
    static PermissionPromptContext general() { return {Kind::general, {}, 0}; }

    Kind kind() const { return kind_; }
    // Meaningful for uninstall only.
    const std::string& appName() const { return appName_; }
    // Meaningful for cleanup and uninstall.
    std::int64_t failedCount() const { return failedCount_; }

    std::string headline() const;

    bool operator==(const PermissionPromptContext&) const = default;

private:
    PermissionPromptContext(Kind kind, std::string appName, std::int64_t failedCount)
        : kind_(kind), appName_(std::move(appName)), failedCount_(failedCount) {}

    Kind kind_;
    std::string appName_;
    std::int64_t failedCount_;
};

} // namespace zn
