#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace zn {

class AppState;

// One entry of "Suggested for you".
struct Suggestion {
    std::string icon;
    ColorSource tint;
    QString title;
    QString subtitle;
    std::optional<QString> pill;
};

// The largest category found, then the request for access when it is missing: zero, one or two entries.
std::vector<Suggestion> suggestionsFor(const AppState& state);

} // namespace zn
