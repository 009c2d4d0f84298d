#include "Platform/core/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {

namespace {

enum class Extent { whole, head };

std::optional<std::string> read(const std::string& path, std::size_t limit, Extent extent) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    std::optional<std::string> contents;
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
        (extent == Extent::head || static_cast<std::size_t>(status.st_size) <= limit)) {
        std::string bytes(std::min(static_cast<std::size_t>(status.st_size), limit), '\0');
        std::size_t done = 0;
        bool failed = false;
        while (done < bytes.size()) {
            const ssize_t got = ::read(descriptor, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                failed = true;
                break;
            }
            if (got == 0) // the file shrank meanwhile
                break;
            done += static_cast<std::size_t>(got);
        }
        if (!failed) {
            bytes.resize(done);
            contents = std::move(bytes);
        }
    }
    ::close(descriptor);
    return contents;
}

} // namespace

std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit) {
    return read(path, limit, Extent::whole);
}

std::optional<std::string> readRegularFileHead(const std::string& path, std::size_t count) {
    return read(path, count, Extent::head);
}

} // namespace zn
