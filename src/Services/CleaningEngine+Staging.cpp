#include "Platform/core/WriteAll.h"
#include "Services/CleaningEngine+Staging.h"

#include "Models/Uuid.h"
#include "Platform/core/PathText.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {

namespace {

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

bool isUsableTemporaryDirectory(const std::string& path) {
    if (path.empty() || path.front() != '/')
        return false;
    for (unsigned char c : path)
        if (c == '"' || c == '\'' || c == '\\' || c < 0x20 || c == 0x7f)
            return false;
    return true;
}

std::string chooseTemporaryDirectory(const std::optional<std::string>& requested) {
    if (requested)
        return isUsableTemporaryDirectory(*requested) ? *requested : "/tmp";
    const char* variable = std::getenv("TMPDIR");
    return variable && isUsableTemporaryDirectory(variable) ? variable : "/tmp";
}

std::optional<std::string> writeAdminStagingFile(const std::string& folder, const std::string& contents,
                                                 std::string& errorDescription) {
    if (!isSafeStagingFolder(folder, errorDescription))
        return std::nullopt;
    const std::string path =
        PathText::appendingPathComponent(folder, "zelvanexal-rm-" + Uuid::random().uuidString());
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

// The folder holds no quote (isUsableTemporaryDirectory) and the name none either, so the path needs no
// escaping inside its single quotes.
AdminCommand adminRemovalCommand(const std::string& stagingPath) {
    AdminCommand command;
    command.shellCommand = "/usr/bin/xargs -0 /bin/rm -rf -- < '" + stagingPath + "'";
    command.appleScript = "do shell script \"" + command.shellCommand + "\" with administrator privileges";
    return command;
}

} // namespace zn
