#include "Views/Components/ColorSource.h"

namespace zn {

QColor ColorSource::resolve(ColorScheme scheme) const {
    if (const auto* platform = std::get_if<PlatformColor>(&source_))
        return platformColor(*platform, scheme);
    if (const auto* fixed = std::get_if<QColor>(&source_))
        return *fixed;
    return std::get<std::function<QColor(ColorScheme)>>(source_)(scheme);
}

} // namespace zn
