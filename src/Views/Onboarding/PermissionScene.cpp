#include "Views/Onboarding/PermissionScene.h"
#include "Views/Onboarding/CentredLabel.h"

#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/LinkButton.h"
#include "Views/Kit/Labels/SymbolView.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Motion/FadeIn.h"
#include "Views/Kit/Motion/ScaleFade.h"
#include "Views/Kit/Surfaces/Divider.h"
#include "Views/Kit/Theme/KitStyle.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/Permission/AppBundleDragHandle.h"
#include "Views/Permission/FDADemoView.h"

#include <QHBoxLayout>
#include <QShortcut>
#include <QVBoxLayout>

namespace zn {

namespace {

QWidget* makeGrantedLine() {
    auto* line = new QWidget;
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(5);
    const QColor green = qColor(Tint::green);
    row->addStretch();
    row->addWidget(new SymbolView("checkmark.circle.fill", 12.5, green));
    row->addWidget(new TextLabel(QStringLiteral("All set — moving you to the next step."),
                                 systemFont(12.5, QFont::Medium), green));
    row->addStretch();
    return line;
}

} // namespace

PermissionScene::PermissionScene(bool hasFda, bool hasOpenedSettings, Actions actions,
                                 std::shared_ptr<Clock> clock, QWidget* parent)
    : QWidget(parent), hasFda_(hasFda), hasOpenedSettings_(hasOpenedSettings),
      title_(centredLabel(QString(), systemFont(26, QFont::DemiBold))),
      subtitle_(centredLabel(QString(), systemFont(13), PlatformColor::secondaryLabel, 460)),
      demo_(new FDADemoView(std::move(clock))), granted_(makeGrantedLine()),
      grantedTransition_(new ScaleFade(*granted_, std::chrono::milliseconds(300))), guidance_(new QWidget),
      dragHandle_(new AppBundleDragHandle),
      settingsButton_(new BorderedButton(QString(), BorderedButton::Prominence::prominent)),
      links_(new QWidget), reveal_(new LinkButton(QStringLiteral("Reveal app again"), systemFont(11.5))),
      reset_(new LinkButton(QStringLiteral("Reset permissions"), systemFont(11.5))) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(18);
    column->addStretch();

    auto* header = new QVBoxLayout;
    header->setSpacing(8);
    header->addWidget(title_);
    header->addWidget(subtitle_, 0, Qt::AlignHCenter);
    column->addLayout(header);
    // 420 wide, and room beyond that for the card's shadow.
    const QMargins shadow = KitStyle::overflow(*demo_);
    demo_->setFixedWidth(420 + shadow.left() + shadow.right());
    column->addWidget(demo_, 0, Qt::AlignHCenter);
    column->addWidget(granted_);

    auto* guidanceRow = new QHBoxLayout(guidance_);
    guidanceRow->setContentsMargins(0, 4, 0, 0);
    guidanceRow->setSpacing(18);
    guidanceRow->addStretch();
    guidanceRow->addWidget(dragHandle_, 0, Qt::AlignTop);
    auto* divider = new Divider(Qt::Vertical);
    divider->setFixedHeight(90);
    guidanceRow->addWidget(divider, 0, Qt::AlignVCenter);
    auto* steps = new QWidget;
    steps->setMaximumWidth(260);
    auto* stepColumn = new QVBoxLayout(steps);
    stepColumn->setContentsMargins(0, 0, 0, 0);
    stepColumn->setSpacing(8);
    settingsButton_->setControlSize(BorderedButton::ControlSize::large);
    settingsButton_->setLeadingSymbol("gear");
    settingsButton_->setFont(systemFont(13, QFont::DemiBold));
    stepColumn->addWidget(settingsButton_, 0, Qt::AlignHCenter);
    auto* linkRow = new QHBoxLayout(links_);
    linkRow->setContentsMargins(0, 0, 0, 0);
    linkRow->setSpacing(12);
    linkRow->addStretch();
    linkRow->addWidget(reveal_);
    linkRow->addWidget(reset_);
    linkRow->addStretch();
    stepColumn->addWidget(links_);
    tip_ = centredLabel(QStringLiteral("Tip: drag the Zelva Nexal icon into the list if macOS asks."),
                        systemFont(11), PlatformColor::tertiaryLabel, 240);
    stepColumn->addWidget(tip_, 0, Qt::AlignHCenter);
    guidanceRow->addWidget(steps, 0, Qt::AlignTop);
    guidanceRow->addStretch();
    column->addWidget(guidance_);
    column->addStretch();

    connect(settingsButton_, &BorderedButton::clicked, this, [open = actions.openSettings] { open(); });
    connect(reveal_, &LinkButton::clicked, this, [reveal = actions.revealAppInFinder] { reveal(); });
    connect(reset_, &LinkButton::clicked, this, [reset = actions.resetPermissions] { reset(); });
    // Return anywhere in the window presses the main button, as the default action.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, settingsButton_, [this] {
            if (settingsButton_->isVisible())
                settingsButton_->click();
        });
    }
    showState(false);
}

void PermissionScene::setHasFda(bool hasFda) {
    if (hasFda == hasFda_)
        return;
    hasFda_ = hasFda;
    showState(true);
}

void PermissionScene::setHasOpenedSettings(bool opened) {
    if (opened == hasOpenedSettings_)
        return;
    hasOpenedSettings_ = opened;
    showState(true);
}

void PermissionScene::showState(bool animated) {
    title_->setText(hasFda_ ? QStringLiteral("Access allowed")
                            : QStringLiteral("One permission, then you're set"));
    subtitle_->setText(hasFda_
                           ? QStringLiteral("Zelva Nexal can now check the places macOS protects by default.")
                           : QStringLiteral("macOS protects some folders until you allow access. This lets "
                                            "Zelva Nexal find more space to clean."));
    settingsButton_->setText(hasOpenedSettings_ ? QStringLiteral("Reopen Settings")
                                                : QStringLiteral("Open access settings"));
    settingsButton_->setFixedWidth(std::max(240, settingsButton_->sizeHint().width()));
    const bool linksWereHidden = links_->isHidden();
    if (hasFda_ != grantedTransition_->isPresent() || !animated)
        grantedTransition_->setPresent(hasFda_, animated);
    guidance_->setVisible(!hasFda_);
    links_->setVisible(hasOpenedSettings_);
    tip_->setVisible(!hasOpenedSettings_);
    if (animated && hasOpenedSettings_ && linksWereHidden)
        fadeIn(*links_, std::chrono::milliseconds(250));
}

} // namespace zn
