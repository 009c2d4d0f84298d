#include "Services/CleaningEngine.h"

#include "Logic/Utilities/Logger.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace zn {

namespace {

const std::string kSource = "cleanWithAdminPrivileges(items:)";

std::string singleQuoteEscaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\'')
            escaped += "'\\''";
        else
            escaped.push_back(c);
    }
    return escaped;
}

AdminCommand removalCommand(const std::string& stagingPath) {
    AdminCommand command;
    command.shellCommand = "/usr/bin/xargs -0 /bin/rm -rf -- < '" + singleQuoteEscaped(stagingPath) + "'";
    command.appleScript = "do shell script \"" + command.shellCommand + "\" with administrator privileges";
    return command;
}

bool writeAll(int fd, const std::string& contents) {
    std::size_t written = 0;
    while (written < contents.size()) {
        ssize_t count = ::write(fd, contents.data() + written, contents.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        written += static_cast<std::size_t>(count);
    }
    return true;
}

// Anything still at the path, or a path that cannot be looked at, counts as not removed.
bool somethingRemainsAt(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0)
        return true;
    return errno != ENOENT && errno != ENOTDIR;
}

// The list is read with administrator rights after it is written, so nobody but its owner (or root) may be
// able to put another file in its place: the folder must belong to one of them and, if others may write
// in it, keep them from renaming or removing what is not theirs (the sticky bit, as on /tmp).
bool isSafeStagingFolder(const std::string& folder, std::string& problem) {
    struct stat info;
    if (::stat(folder.c_str(), &info) != 0) {
        problem = std::strerror(errno);
        return false;
    }
    const bool ownedSafely = info.st_uid == ::geteuid() || info.st_uid == 0;
    const bool sharedUnsafely = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (info.st_mode & S_ISVTX) == 0;
    if (!S_ISDIR(info.st_mode) || !ownedSafely || sharedUnsafely) {
        problem = "The temporary folder " + folder + " is open to other users";
        return false;
    }
    return true;
}

} // namespace

CleaningResult CleaningEngine::cleanWithAdminPrivileges(const std::vector<CleanableItem>& items) {
    std::lock_guard lock(operationMutex_);
    Logger::shared().log("Admin pass starting with " + std::to_string(items.size()) + " item(s)",
                         LogLevel::info, kSource);

    std::vector<std::pair<const CleanableItem*, std::string>> validated;
    for (const auto& item : items) {
        const std::string resolved = isAbsolutePathText(item.path) ? resolvingSymlinksInPath(item.path) : "";
        if (resolved.empty() || !admitsInAdminPass(item, resolved)) {
            Logger::shared().log("Refusing admin escalation for unsafe path: " + item.path, LogLevel::warning,
                                 kSource);
            continue;
        }
        validated.emplace_back(&item, resolved);
    }
    if (validated.empty()) {
        Logger::shared().log("Admin pass: no items survived validation", LogLevel::warning, kSource);
        return {};
    }

    // Each path once, separated by NUL bytes, with none after the last.
    std::string list;
    std::unordered_set<std::string> staged;
    for (const auto& [item, resolved] : validated) {
        if (!staged.insert(resolved).second)
            continue;
        if (!list.empty())
            list.push_back('\0');
        list += resolved;
    }

    std::string errorDescription;
    const auto stagingPath = writeStagingFile(list, errorDescription);
    if (!stagingPath) {
        Logger::shared().log("Couldn't stage admin path list: " + errorDescription, LogLevel::error, kSource);
        return {};
    }
    const AdminRunOutcome outcome = adminRunner_->run(removalCommand(*stagingPath));
    ::unlink(stagingPath->c_str());

    if (outcome.status == AdminRunOutcome::Status::cancelled)
        return {};
    if (outcome.status == AdminRunOutcome::Status::failed)
        Logger::shared().log("Admin clean failed: " + outcome.errorText, LogLevel::error, kSource);

    // Judged per path, whatever the command reported: a partial failure still removed what it removed.
    CleaningResult result;
    checkSurvivors(validated, result);
    const std::size_t survivors = result.errors.size();
    if (outcome.status == AdminRunOutcome::Status::failed && survivors > 0)
        result.errors.insert(result.errors.begin(), "Administrator authorization failed");
    Logger::shared().log("Admin pass complete: " + std::to_string(result.deletedCount) + " deleted, " +
                             std::to_string(survivors) + " survived",
                         LogLevel::info, kSource);
    return result;
}

void CleaningEngine::checkSurvivors(
    const std::vector<std::pair<const CleanableItem*, std::string>>& validated,
    CleaningResult& result) const {
    std::unordered_set<std::string> counted;
    for (const auto& [item, resolved] : validated) {
        if (somethingRemainsAt(resolved)) {
            std::string text = item->name + " at " + item->path + " survived admin removal";
            Logger::shared().log("Admin pass survivor: " + text, LogLevel::error, kSource);
            result.errors.push_back(std::move(text));
            continue;
        }
        result.deletedPaths.insert(item->path);
        // Two items that resolve to one place were removed once.
        if (counted.insert(resolved).second) {
            ++result.deletedCount;
            result.freedSpace = saturatingAdd(result.freedSpace, item->size);
        }
    }
}

// Created fresh (never through a link, never over an existing file) and readable by its owner only.
std::optional<std::string> CleaningEngine::writeStagingFile(const std::string& contents,
                                                            std::string& errorDescription) const {
    if (!isSafeStagingFolder(temporaryDirectory_, errorDescription))
        return std::nullopt;
    const std::string path =
        PathText::appendingPathComponent(temporaryDirectory_, "zelvanexal-rm-" + Uuid::random().uuidString());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        errorDescription = std::strerror(errno);
        return std::nullopt;
    }
    const bool written = writeAll(fd, contents);
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        errorDescription = std::strerror(written ? errno : writeError);
        ::unlink(path.c_str());
        return std::nullopt;
    }
    return path;
}

} // namespace zn
