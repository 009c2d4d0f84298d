#include "Views/Onboarding/CentredLabel.h"

#include "Views/Kit/Labels/TextLabel.h"

namespace zn {

TextLabel* centredLabel(const QString& text, const QFont& font, ColorSource color,
                        std::optional<int> wrapWidth) {
    auto* label = new TextLabel(text, font, std::move(color));
    label->setAlignment(Qt::AlignHCenter);
    if (wrapWidth) {
        label->setWordWrap(true);
        label->setFixedWidth(*wrapWidth);
    }
    return label;
}

} // namespace zn
