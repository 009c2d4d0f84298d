#include "Views/MainWindow/HealthFooter.h"

#include "ViewModels/AppState.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/MainWindow/GeneralAccessRequest.h"
#include "Views/MainWindow/PulsingDot.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace zn {

HealthFooter::HealthFooter(AppState& state, PermissionCoordinator& permission, QWidget* parent)
    : QWidget(parent), state_(&state), dot_(new PulsingDot(qColor(Tint::green), false)),
      title_(new TextLabel(QString(), systemFont(12, QFont::DemiBold))),
      subtitle_(new TextLabel(QString(), systemFont(10.5), PlatformColor::secondaryLabel)),
      fix_(new BorderedButton(QStringLiteral("Fix"), BorderedButton::Prominence::standard)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 10, 14, 10);
    row->setSpacing(10);
    row->addWidget(dot_);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(1);
    texts->addWidget(title_);
    texts->addWidget(subtitle_);
    row->addLayout(texts);
    row->addStretch(1);
    fix_->setControlSize(BorderedButton::ControlSize::small);
    fix_->setToolTip(QStringLiteral("Fix permission"));
    row->addWidget(fix_);

    connect(fix_, &QPushButton::clicked, this, [this, &permission] {
        if (state_)
            requestGeneralAccess(permission, *state_);
    });
    connect(&state, &AppState::hasFullDiskAccessChanged, this, &HealthFooter::refresh);
    refresh();
}

void HealthFooter::refresh() {
    const bool granted = state_ && state_->hasFullDiskAccess();
    dot_->setTint(granted ? ColorSource(qColor(Tint::green)) : ColorSource(attentionColor));
    dot_->setPulsing(!granted);
    title_->setText(granted ? QStringLiteral("Ready to clean") : QStringLiteral("Limited access"));
    subtitle_->setText(granted ? QStringLiteral("Access allowed") : QStringLiteral("Allow access in Settings"));
    fix_->setVisible(!granted);
}

void HealthFooter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ColorScheme scheme = colorScheme(*this);
    painter.fillRect(rect(), platformColor(PlatformColor::windowBackground, scheme));
    painter.fillRect(QRectF(0, 0, width(), 0.5), withOpacity(Qt::white, 0.12));
}

} // namespace zn
