#include "Platform/core/PathText.h"

#include <sys/stat.h>
#include <vector>

namespace zn::PathText {

namespace {

std::string_view withoutTrailingSlashes(std::string_view path) {
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    return path;
}

std::vector<std::string_view> components(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos)
            end = path.size();
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

} // namespace

std::string appendingPathComponent(std::string_view base, std::string_view component) {
    while (!component.empty() && component.front() == '/')
        component.remove_prefix(1);
    if (base.empty())
        return std::string(component);
    std::string joined(withoutTrailingSlashes(base));
    if (component.empty())
        return joined;
    if (joined != "/")
        joined.push_back('/');
    joined.append(component);
    return joined;
}

std::string lastPathComponent(std::string_view path) {
    path = withoutTrailingSlashes(path);
    if (path == "/")
        return "/";
    auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string pathExtension(std::string_view path) {
    std::string name = lastPathComponent(path);
    auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || name == "/")
        return {};
    return name.substr(dot + 1);
}

std::string deletingLastPathComponent(std::string_view path) {
    path = withoutTrailingSlashes(path);
    if (path == "/")
        return "/";
    auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    if (slash == 0)
        return "/";
    return std::string(withoutTrailingSlashes(path.substr(0, slash)));
}

std::string standardizingPath(std::string_view path, std::string_view home) {
    std::string expanded;
    if (!path.empty() && path.front() == '~' && (path.size() == 1 || path[1] == '/'))
        expanded = std::string(home) + std::string(path.substr(1));
    else
        expanded = std::string(path);
    if (expanded.empty())
        return expanded;

    const bool absolute = expanded.front() == '/';
    std::vector<std::string_view> kept;
    for (auto part : components(expanded)) {
        if (part.empty() || part == ".")
            continue;
        if (part == ".." && absolute) {
            if (!kept.empty())
                kept.pop_back();
            continue;
        }
        kept.push_back(part);
    }

    std::string result = absolute ? "/" : "";
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i > 0)
            result.push_back('/');
        result.append(kept[i]);
    }
    if (result.empty())
        return absolute ? "/" : ".";

    constexpr std::string_view privatePrefix = "/private/";
    if (result.starts_with(privatePrefix)) {
        std::string shorter = result.substr(privatePrefix.size() - 1);
        if (exists(shorter))
            return shorter;
    }
    return result;
}

bool isSameOrInside(std::string_view path, std::string_view directory) {
    return path == directory || isStrictlyInside(path, directory);
}

bool isStrictlyInside(std::string_view path, std::string_view directory) {
    if (directory == "/")
        return path.size() > 1 && path.front() == '/';
    return path.size() > directory.size() && path.starts_with(directory) && path[directory.size()] == '/';
}

std::optional<std::string> innermostHolding(std::string_view path, const std::vector<std::string>& directories) {
    std::optional<std::string> innermost;
    for (const std::string& directory : directories)
        if (isSameOrInside(path, directory) && (!innermost || directory.size() > innermost->size()))
            innermost = directory;
    return innermost;
}

} // namespace zn::PathText
