#include "Views/Kit/Controls/SearchField.h"

#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QAction>
#include <QEvent>
#include <QPainter>

namespace zn {

namespace {
constexpr double kRadius = 6;
constexpr int kHeight = 28;
} // namespace

SearchField::SearchField(const QString& prompt, QWidget* parent)
    : QLineEdit(parent), glass_(new QAction(this)) {
    setPlaceholderText(prompt);
    setFrame(false);
    setClearButtonEnabled(true);
    setFont(textFont(TextStyle::body));
    setFixedHeight(kHeight);
    setTextMargins(2, 0, 2, 0);
    addAction(glass_, QLineEdit::LeadingPosition);
    updateIcon();
}

QSize SearchField::sizeHint() const {
    return {220, kHeight};
}

void SearchField::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        const ColorScheme scheme = colorScheme(*this);
        const QRectF shape = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        const QColor label = platformColor(PlatformColor::primaryLabel, scheme);
        fillRoundedRect(painter, shape, kRadius, withOpacity(label, byScheme(scheme, 0.09, 0.05)));
        if (hasFocus())
            strokeRoundedBorder(painter, shape, kRadius, withOpacity(schemeAccent(scheme), 0.7), 2);
        else
            strokeRoundedBorder(painter, shape, kRadius, withOpacity(label, byScheme(scheme, 0.1, 0.08)), 0.5);
    }
    QLineEdit::paintEvent(event);
}

void SearchField::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        updateIcon();
}

void SearchField::updateIcon() {
    // The field draws its own rounded fill; the line edit's panel stays clear. An equal palette sends no
    // further change.
    QPalette clear = palette();
    clear.setColor(QPalette::Base, Qt::transparent);
    setPalette(clear);
    glass_->setIcon(symbolIcon("magnifyingglass", 12, platformColor(*this, PlatformColor::secondaryLabel)));
}

} // namespace zn
