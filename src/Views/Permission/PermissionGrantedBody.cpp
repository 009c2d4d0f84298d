#include "Views/Permission/PermissionGrantedBody.h"

#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Motion/BreathingValue.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace zn {

PermissionGrantedBody::PermissionGrantedBody(const BreathingValue& pulse, QWidget* parent)
    : QWidget(parent), pulse_(pulse),
      badge_(new QSpacerItem(static_cast<int>(kBadgeSide), static_cast<int>(kBadgeSide), QSizePolicy::Fixed,
                             QSizePolicy::Fixed)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 28, 0, 28);
    column->setSpacing(10);
    column->addItem(badge_);
    column->addWidget(new TextLabel(QStringLiteral("Access allowed"), systemFont(15, QFont::Bold)), 0,
                      Qt::AlignHCenter);
    column->addWidget(
        new TextLabel(QStringLiteral("Trying again now."), systemFont(11.5), PlatformColor::secondaryLabel), 0,
        Qt::AlignHCenter);
    connect(&pulse, &BreathingValue::changed, this, qOverload<>(&QWidget::update));
}

void PermissionGrantedBody::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF slot(badge_->geometry());
    const QRectF badge((width() - kBadgeSide) / 2, slot.top(), kBadgeSide, kBadgeSide);
    const double scale = 0.95 + 0.1 * pulse_.value();
    const double radius = kBadgeSide / 2 * scale;
    painter.setPen(Qt::NoPen);
    painter.setBrush(qColor(Tint::green, 0.15));
    painter.drawEllipse(badge.center(), radius, radius);
    paintSymbol(painter, badge, "checkmark.seal.fill", 36, qColor(Tint::green));
}

} // namespace zn
