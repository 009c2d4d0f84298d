#include "Views/Components/LinkButton.h"

#include "Views/Components/SchemeColors.h"

namespace zn {

LinkButton::LinkButton(const QString& text, const QFont& font, QWidget* parent)
    : PlainButton(text, font, std::function<QColor(ColorScheme)>(schemeAccent), parent) {}

void LinkButton::enterEvent(QEnterEvent* event) {
    setUnderline(true);
    PlainButton::enterEvent(event);
}

void LinkButton::leaveEvent(QEvent* event) {
    setUnderline(false);
    PlainButton::leaveEvent(event);
}

void LinkButton::setUnderline(bool underline) {
    QFont underlined = font();
    underlined.setUnderline(underline);
    setFont(underlined);
}

} // namespace zn
