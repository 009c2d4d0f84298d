#pragma once

#include <functional>
#include <optional>
#include <string>

namespace zn {

// An environment variable's value, or none when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// Whether the windowing platform Qt would use has something to draw on. Asked before any Qt application
// object exists: without a display Qt would end the process with a core dump instead of a message. A
// platform chosen with QT_QPA_PLATFORM (a list, the first that works wins) counts as usable unless it is an
// X11 or Wayland one whose display variable is empty.
bool canOpenAWindow(const EnvironmentLookup& variable);

// The process's own environment.
std::optional<std::string> processEnvironmentVariable(const std::string& name);

} // namespace zn
