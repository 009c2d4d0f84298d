#include "Logic/Scanning/ApplicationBundle.h"

#include "Platform/core/PathText.h"

#include <cstdlib>
#include <memory>
#include <sys/stat.h>

namespace zn {

namespace {

bool hasType(const std::string& path, mode_t type) {
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0 && (status.st_mode & S_IFMT) == type;
}

} // namespace

std::optional<std::string> applicationBundleAt(const std::string& path) {
    if (hasType(path, S_IFDIR))
        return path;
    if (!hasType(path, S_IFLNK))
        return std::nullopt;
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved)
        return std::nullopt;
    const std::string bundle = resolved.get();
    // Every step checked without following a link, so the bundle holds what is read and measured.
    if (PathText::pathExtension(PathText::lastPathComponent(bundle)) != "app" || !hasType(bundle, S_IFDIR) ||
        !hasType(bundle + "/Contents", S_IFDIR) || !hasType(bundle + "/Contents/Info.plist", S_IFREG))
        return std::nullopt;
    return bundle;
}

} // namespace zn
