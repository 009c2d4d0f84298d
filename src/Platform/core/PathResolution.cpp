#include "Platform/core/PathResolution.h"

#include "Platform/core/PathText.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zn {

namespace {

constexpr int kMaxLinkHops = 40;

enum class Strictness { keepWhatCannotBeResolved, refuseWhatCannotBeResolved };

std::deque<std::string> splitComponents(std::string_view path) {
    std::deque<std::string> parts;
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start)
            parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::optional<std::string> readLink(const std::string& path) {
    std::vector<char> buffer(256);
    while (true) {
        ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (length <= 0)
            return std::nullopt;
        if (static_cast<std::size_t>(length) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}

std::string joined(const std::vector<std::string>& parts) {
    if (parts.empty())
        return "/";
    std::string path;
    for (const auto& part : parts)
        path += "/" + part;
    return path;
}

std::optional<std::string> resolve(std::string_view path, Strictness strictness) {
    const bool strict = strictness == Strictness::refuseWhatCannotBeResolved;
    if (path.empty() || path.front() != '/') {
        if (strict)
            return std::nullopt;
        return PathText::standardizingPath(path, "");
    }

    std::deque<std::string> pending = splitComponents(path);
    std::vector<std::string> resolved;
    int hops = 0;

    while (!pending.empty()) {
        std::string part = std::move(pending.front());
        pending.pop_front();
        if (part == ".")
            continue;
        if (part == "..") {
            if (!resolved.empty())
                resolved.pop_back();
            continue;
        }
        resolved.push_back(part);

        const std::string current = joined(resolved);
        struct stat info;
        if (::lstat(current.c_str(), &info) != 0) {
            // A missing component stays as text, but every later one is looked at again: ".." can lead
            // back to folders that exist, and links there must still be resolved.
            if (!strict || errno == ENOENT || errno == ENOTDIR)
                continue;
            return std::nullopt;
        }
        if (!S_ISLNK(info.st_mode))
            continue;
        if (++hops > kMaxLinkHops) {
            if (strict)
                return std::nullopt;
            return PathText::standardizingPath(path, "");
        }

        const auto target = readLink(current);
        if (!target) {
            if (strict)
                return std::nullopt;
            continue; // unreadable link: keep it as text
        }
        resolved.pop_back();
        if (target->front() == '/')
            resolved.clear();
        auto targetParts = splitComponents(*target);
        pending.insert(pending.begin(), targetParts.begin(), targetParts.end());
    }
    return joined(resolved);
}

} // namespace

std::string resolvingSymlinksInPath(std::string_view path) {
    return *resolve(path, Strictness::keepWhatCannotBeResolved);
}

std::optional<std::string> resolvedPathIfResolvable(std::string_view path) {
    return resolve(path, Strictness::refuseWhatCannotBeResolved);
}

bool isReachedWithoutLinks(std::string_view path) {
    // Only the one spelling of a path: absolute, without empty, "." or ".." components or a trailing "/".
    const auto parts = splitComponents(path);
    if (parts.empty() || path.front() != '/' || path.back() == '/' ||
        path.find("//") != std::string_view::npos ||
        std::any_of(parts.begin(), parts.end(),
                    [](const std::string& part) { return part == "." || part == ".."; }))
        return false;
    const std::string folder = PathText::deletingLastPathComponent(path);
    return resolvedPathIfResolvable(folder) == folder;
}

bool namesEntryWithoutLinks(std::string_view path) {
    if (!isReachedWithoutLinks(path))
        return false;
    struct stat info;
    return ::lstat(std::string(path).c_str(), &info) != 0 || !S_ISLNK(info.st_mode);
}

} // namespace zn
