#include "Views/Permission/PermissionSheet.h"

#include "Models/Brand.h"
#include "Services/PermissionCoordinator.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/LinkButton.h"
#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/BreathingValue.h"
#include "Views/Kit/Motion/WidgetOpacity.h"
#include "Views/Kit/Surfaces/AppBackdrop.h"
#include "Views/Kit/Surfaces/Divider.h"
#include "Views/Kit/Theme/DisplayText.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/Permission/PermissionGrantedBody.h"
#include "Views/Permission/PermissionRequestBody.h"
#include "Views/Permission/PermissionSheetHeader.h"

#include <QHBoxLayout>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zn {

namespace {
constexpr double kDividerOpacity = 0.4;
} // namespace

PermissionSheet::PermissionSheet(PermissionCoordinator& coordinator, QWidget* parent)
    : QDialog(parent), coordinator_(&coordinator), pulse_(new BreathingValue(this)),
      appeared_(new AnimatedValue(this, 0)), header_(new PermissionSheetHeader),
      requestBody_(new PermissionRequestBody(coordinator, *pulse_)),
      grantedBody_(new PermissionGrantedBody(*pulse_)) {
    setWindowTitle(QString::fromUtf8(Brand::name));
    setWindowModality(Qt::WindowModal);
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    // The sheet is as tall as what it shows, and follows every change of its body.
    frame->setSizeConstraint(QLayout::SetFixedSize);
    auto* backdrop = new AppBackdrop;
    backdrop->setFixedWidth(kWidth);
    frame->addWidget(backdrop);

    auto* column = new QVBoxLayout(backdrop);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(header_);
    column->addWidget(new Divider(Qt::Horizontal, kDividerOpacity));
    column->addWidget(requestBody_);
    column->addWidget(grantedBody_);
    column->addWidget(new Divider(Qt::Horizontal, kDividerOpacity));
    column->addWidget(makeFooter());

    connect(appeared_, &AnimatedValue::changed, this, [this] { appear(appeared_->value()); });
    for (auto signal : {&PermissionCoordinator::hasFullDiskAccessChanged, &PermissionCoordinator::contextChanged})
        connect(&coordinator, signal, this, &PermissionSheet::refresh);
    appear(0);
    refresh();
}

QWidget* PermissionSheet::makeFooter() {
    auto* footer = new QWidget;
    auto* row = new QHBoxLayout(footer);
    row->setContentsMargins(22, 14, 22, 14);
    row->setSpacing(12);
    skip_ = new LinkButton(QStringLiteral("Skip for now"), textFont(TextStyle::body));
    skip_->setColor(PlatformColor::secondaryLabel);
    connect(skip_, &QAbstractButton::clicked, this, [this] {
        if (coordinator_)
            coordinator_->dismiss(false);
    });
    row->addWidget(skip_);
    row->addStretch(1);
    allowed_ = new BorderedButton(QStringLiteral("I allowed access"), BorderedButton::Prominence::prominent);
    // Return stays with "Open access settings".
    allowed_->setAutoDefault(false);
    connect(allowed_, &QPushButton::clicked, this, &PermissionSheet::confirmAllowed);
    row->addWidget(allowed_);
    return footer;
}

void PermissionSheet::refresh() {
    if (!coordinator_)
        return;
    const bool granted = coordinator_->hasFullDiskAccess();
    // The application's name comes from its Info.plist, which anyone may write.
    header_->setTitle(shownText(headline(coordinator_->context())));
    header_->setGranted(granted);
    requestBody_->setVisible(!granted);
    grantedBody_->setVisible(granted);
    allowed_->setVisible(!granted);
}

void PermissionSheet::appear(double appeared) {
    header_->setAppearance(appeared);
    setWidgetOpacity(*header_, appeared);
    // The confirmation has no fade: it shows at full strength the moment access arrives.
    setWidgetOpacity(*requestBody_, appeared);
}

void PermissionSheet::confirmAllowed() {
    if (!coordinator_)
        return;
    coordinator_->refreshStatus();
    // The check does not wait for the probe; a probe that answers later still reaches the sheet through
    // the coordinator. A grant found here ends the prompt with its retry, which runs exactly once even
    // when the coordinator's own grant handling has already taken it.
    coordinator_->clock().callAfter(std::chrono::milliseconds(kAllowedCheckMs), this, [this] {
        if (coordinator_ && coordinator_->isRequesting() && coordinator_->hasFullDiskAccess())
            coordinator_->dismiss(true);
    });
}

void PermissionSheet::reject() {
    // Closed first, so whoever reacts to the prompt's end finds the sheet already gone.
    QDialog::reject();
    if (coordinator_ && coordinator_->isRequesting())
        coordinator_->dismiss(false);
}

void PermissionSheet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The desktop showing the window again (after minimising it) is no new entrance.
    if (event->spontaneous())
        return;
    appeared_->setImmediately(0);
    appeared_->animateTo(1, Timing::easeOut(std::chrono::milliseconds(kAppearMs)));
    pulse_->start();
}

void PermissionSheet::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        pulse_->stop();
}

} // namespace zn
