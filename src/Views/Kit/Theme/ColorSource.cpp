#include "Views/Kit/Theme/ColorSource.h"

#include "Views/Kit/Theme/SchemeColors.h"

namespace zn {

QColor ColorSource::resolve(ColorScheme scheme) const {
    if (const auto* platform = std::get_if<PlatformColor>(&source_))
        return platformColor(*platform, scheme);
    if (const auto* fixed = std::get_if<QColor>(&source_))
        return *fixed;
    return std::get<std::function<QColor(ColorScheme)>>(source_)(scheme);
}

ColorSource tintByScheme(RgbColor dark, RgbColor light) {
    return std::function<QColor(ColorScheme)>(
        [dark, light](ColorScheme scheme) { return qColor(byScheme(scheme, dark, light)); });
}

} // namespace zn
