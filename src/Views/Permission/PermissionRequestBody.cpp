#include "Views/Permission/PermissionRequestBody.h"

#include "Services/FullDiskAccessManager.h"
#include "Services/PermissionCoordinator.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/LinkButton.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/WidgetOpacity.h"
#include "Views/Kit/Surfaces/Divider.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/Permission/AppBundleDragHandle.h"
#include "Views/Permission/BlockedPathList.h"
#include "Views/Permission/FallbackActionButton.h"
#include "Views/Permission/PermissionStepStrip.h"
#include "Views/Permission/WaitingDot.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace zn {

namespace {

constexpr double kPanelCorner = 10;

QString helpToggleTitle(bool showingHelp) {
    return showingHelp ? QStringLiteral("Hide help") : QStringLiteral("Zelva Nexal missing?");
}

} // namespace

PermissionRequestBody::PermissionRequestBody(PermissionCoordinator& coordinator, const BreathingValue& pulse,
                                             QWidget* parent)
    : QWidget(parent), coordinator_(coordinator), reveal_(new AnimatedValue(this, 0)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(22, 18, 22, 18);
    column->setSpacing(18);
    column->addLayout(makeTileRow());
    column->addWidget(new PermissionStepStrip);
    column->addLayout(makeWaitingRow(pulse));
    column->addWidget(makeAdvancedPanel());
    blockedList_ = new BlockedPathList;
    column->addWidget(blockedList_);

    connect(reveal_, &AnimatedValue::changed, this, [this] { revealHelp(reveal_->value()); });
    connect(&coordinator, &PermissionCoordinator::failedItemPathsChanged, this,
            &PermissionRequestBody::refreshBlockedList);
    refreshBlockedList();
}

QLayout* PermissionRequestBody::makeTileRow() {
    auto* row = new QHBoxLayout;
    row->setSpacing(14);
    dragHandle_ = new AppBundleDragHandle;
    row->addWidget(dragHandle_, 0, Qt::AlignVCenter);
    auto* divider = new Divider(Qt::Vertical);
    divider->setMaximumHeight(110);
    row->addWidget(divider, 0, Qt::AlignVCenter);

    auto* actions = new QVBoxLayout;
    actions->setSpacing(8);
    actions->addStretch(1);
    openSettings_ = new BorderedButton(QStringLiteral("Open access settings"), BorderedButton::Prominence::prominent);
    openSettings_->setControlSize(BorderedButton::ControlSize::large);
    openSettings_->setFont(systemFont(13, QFont::DemiBold));
    openSettings_->setLeadingSymbol("gear");
    openSettings_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    openSettings_->setFixedHeight(32);
    // Return presses it while the sheet asks for access.
    openSettings_->setDefault(true);
    // Desktops here have no haptic feedback to give before it.
    connect(openSettings_, &QPushButton::clicked, this, [this] { coordinator_.openSettings(); });
    actions->addWidget(openSettings_);
    auto* note = new TextLabel(QStringLiteral("If Zelva Nexal is missing, use Show app below."), systemFont(11),
                               PlatformColor::tertiaryLabel);
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    actions->addWidget(note);
    actions->addStretch(1);
    row->addLayout(actions, 1);
    return row;
}

QLayout* PermissionRequestBody::makeWaitingRow(const BreathingValue& pulse) {
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(new WaitingDot(pulse), 0, Qt::AlignVCenter);
    row->addWidget(
        new TextLabel(QStringLiteral("Waiting for access…"), systemFont(11.5), PlatformColor::secondaryLabel));
    row->addStretch(1);
    helpToggle_ = new LinkButton(helpToggleTitle(false), systemFont(11.5));
    connect(helpToggle_, &QAbstractButton::clicked, this, &PermissionRequestBody::toggleHelp);
    row->addWidget(helpToggle_);
    return row;
}

QWidget* PermissionRequestBody::makeAdvancedPanel() {
    advancedPanel_ = new QWidget;
    auto* column = new QVBoxLayout(advancedPanel_);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(10);
    column->addWidget(new TextLabel(QStringLiteral("Try this if Zelva Nexal doesn't appear:"),
                                    systemFont(11.5, QFont::DemiBold), PlatformColor::secondaryLabel));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    showApp_ = new FallbackActionButton("folder.badge.gearshape", QStringLiteral("Show app"),
                                        QStringLiteral("Drag it into the list"));
    askAgain_ = new FallbackActionButton("arrow.clockwise.circle", QStringLiteral("Ask macOS again"),
                                         QStringLiteral("Refresh the permission prompt"));
    connect(showApp_, &QAbstractButton::clicked, this, [this] { coordinator_.accessManager().revealAppInFinder(); });
    connect(askAgain_, &QAbstractButton::clicked, this, [this] { coordinator_.resetAndReprime(); });
    buttons->addWidget(showApp_, 1);
    buttons->addWidget(askAgain_, 1);
    column->addLayout(buttons);
    advancedPanel_->setVisible(false);
    return advancedPanel_;
}

void PermissionRequestBody::toggleHelp() {
    showAdvanced_ = !showAdvanced_;
    helpToggle_->setText(helpToggleTitle(showAdvanced_));
    reveal_->animateTo(showAdvanced_ ? 1 : 0, Timing::easeInOut(std::chrono::milliseconds(kHelpToggleMs)));
}

void PermissionRequestBody::revealHelp(double shown) {
    // The panel unrolls from the top edge as it fades in, and rolls up again as it fades out.
    advancedPanel_->setVisible(shown > 0);
    advancedPanel_->setMaximumHeight(shown >= 1 ? QWIDGETSIZE_MAX
                                                : qRound(shown * advancedPanel_->sizeHint().height()));
    setWidgetOpacity(*advancedPanel_, shown);
    update();
}

void PermissionRequestBody::refreshBlockedList() {
    blockedList_->setPaths(coordinator_.failedItemPaths());
    blockedList_->setVisible(!coordinator_.failedItemPaths().empty());
}

void PermissionRequestBody::paintEvent(QPaintEvent*) {
    if (advancedPanel_->isHidden())
        return;
    QPainter painter(this);
    const ColorScheme scheme = colorScheme(*this);
    const QRectF panel(advancedPanel_->geometry());
    const double opacity = std::clamp(reveal_->value(), 0.0, 1.0);
    painter.setOpacity(opacity);
    fillRoundedRect(painter, panel, kPanelCorner, platformColor(PlatformColor::controlBackground, scheme));
    strokeRoundedBorder(painter, panel, kPanelCorner, withOpacity(Qt::white, 0.14), 0.6);
}

} // namespace zn
