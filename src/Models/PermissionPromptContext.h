#pragma once

#include <cstdint>
#include <string>

namespace zn {

// Why Full Disk Access is asked for: after a clean, after an uninstall, or in general.
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
    const std::string& appName() const { return appName_; }   // uninstall only
    std::int64_t failedCount() const { return failedCount_; } // cleanup and uninstall

    bool operator==(const PermissionPromptContext&) const = default;

private:
    PermissionPromptContext(Kind kind, std::string appName, std::int64_t failedCount)
        : kind_(kind), appName_(std::move(appName)), failedCount_(failedCount) {}

    Kind kind_;
    std::string appName_;
    std::int64_t failedCount_;
};

} // namespace zn
