#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QFont>
#include <QString>

#include <optional>

namespace zn {

class TextLabel;

// A line of an onboarding page, centred; with `wrapWidth` it wraps within that width.
TextLabel* centredLabel(const QString& text, const QFont& font,
                        ColorSource color = PlatformColor::primaryLabel,
                        std::optional<int> wrapWidth = std::nullopt);

} // namespace zn
