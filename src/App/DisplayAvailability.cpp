#include "App/DisplayAvailability.h"

#include <algorithm>
#include <cstdlib>

namespace zn {

namespace {

bool isSet(const EnvironmentLookup& variable, const std::string& name) {
    const auto value = variable(name);
    return value && !value->empty();
}

// One entry of QT_QPA_PLATFORM, such as "xcb" or "wayland-egl:option".
bool platformUsable(const std::string& entry, const EnvironmentLookup& variable) {
    const std::string name = entry.substr(0, entry.find(':'));
    if (name == "xcb")
        return isSet(variable, "DISPLAY");
    if (name.starts_with("wayland"))
        return isSet(variable, "WAYLAND_DISPLAY");
    return !name.empty(); // offscreen, vnc, linuxfb, eglfs...: no display server needed
}

} // namespace

bool canOpenAWindow(const EnvironmentLookup& variable) {
    const auto platforms = variable("QT_QPA_PLATFORM");
    if (!platforms || platforms->empty())
        return isSet(variable, "DISPLAY") || isSet(variable, "WAYLAND_DISPLAY");
    std::size_t start = 0;
    while (start <= platforms->size()) {
        const std::size_t end = std::min(platforms->find(';', start), platforms->size());
        if (platformUsable(platforms->substr(start, end - start), variable))
            return true;
        start = end + 1;
    }
    return false;
}

std::optional<std::string> processEnvironmentVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
}

} // namespace zn
