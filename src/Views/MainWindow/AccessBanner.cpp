#include "Views/MainWindow/AccessBanner.h"

#include "ViewModels/AppState.h"
#include "Views/Kit/Controls/ActionButton.h"
#include "Views/Kit/Controls/SymbolButton.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Surfaces/IconTile.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/MainWindow/GeneralAccessRequest.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace zn {

namespace {
constexpr double kCornerRadius = 12;
} // namespace

AccessBanner::AccessBanner(AppState& state, PermissionCoordinator& permission, QWidget* parent)
    : QWidget(parent), state_(&state), tile_(new IconTile("lock.shield.fill", QColor(), 32, 8, false)),
      setUp_(new ActionButton(QStringLiteral("Set up"), PrimaryActionButtonStyle{qColor(Tint::green), Qt::white, 92, 36, 9})),
      close_(new SymbolButton("xmark", 10, PlatformColor::secondaryLabel, 6)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 10, 14, 10);
    row->setSpacing(12);
    row->addWidget(tile_);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(1);
    texts->addWidget(new TextLabel(QStringLiteral("Allow Zelva Nexal to clean more"), systemFont(13, QFont::DemiBold)));
    texts->addWidget(new TextLabel(QStringLiteral("macOS needs your OK before we can check protected places."),
                                   systemFont(11.5), PlatformColor::secondaryLabel));
    row->addLayout(texts);
    row->addStretch(1);
    row->addWidget(setUp_);
    close_->setToolTip(QStringLiteral("Dismiss"));
    close_->setAccessibleName(QStringLiteral("Dismiss"));
    row->addWidget(close_);

    connect(setUp_, &QPushButton::clicked, this, [this, &permission] {
        if (state_)
            requestGeneralAccess(permission, *state_);
    });
    connect(close_, &QAbstractButton::clicked, this, [this] {
        if (state_)
            state_->setFdaBannerDismissed(true);
    });
    tile_->setTint(warningColor(colorScheme(*this)));
}

void AccessBanner::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        tile_->setTint(warningColor(colorScheme(*this)));
}

void AccessBanner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QColor warning = warningColor(scheme);
    const QRectF shape(rect());
    fillRoundedRect(painter, shape, kCornerRadius, platformColor(PlatformColor::controlBackground, scheme));
    fillRoundedRect(painter, shape, kCornerRadius, withOpacity(warning, byScheme(scheme, 0.07, 0.12)));
    strokeRoundedBorder(painter, shape, kCornerRadius, withOpacity(warning, byScheme(scheme, 0.26, 0.3)), 0.75);
}

} // namespace zn
