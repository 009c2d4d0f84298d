#include "Views/Settings/GeneralSettingsView.h"

#include "Logic/Utilities/Logger.h"
#include "Platform/qt/LoginItem.h"
#include "Views/Kit/Controls/SwitchToggle.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/Settings/FormSection.h"
#include "Views/Settings/RadioOption.h"

#include <QButtonGroup>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zn {

GeneralSettingsView::GeneralSettingsView(UserDefaults& defaults, const LoginItem& loginItem, QWidget* parent)
    : QWidget(parent), settings_(defaults), loginItem_(loginItem), launchAtLogin_(new SwitchToggle),
      confirmBeforeDelete_(new SwitchToggle) {
    auto* column = new QVBoxLayout(this);
    column->setSpacing(18);

    auto* startup = new FormSection(QStringLiteral("Startup"));
    startup->addControlRow(QStringLiteral("Launch Zelva Nexal at login"), launchAtLogin_);
    column->addWidget(startup);

    auto* cleanup = new FormSection(QStringLiteral("App cleanup"));
    auto* picker = new QWidget;
    auto* pickerColumn = new QVBoxLayout(picker);
    pickerColumn->setSpacing(10);
    pickerColumn->addWidget(
        new TextLabel(QStringLiteral("How hard should Zelva Nexal look?"), textFont(TextStyle::body)));
    auto* group = new QButtonGroup(picker);
    for (const SearchSensitivity sensitivity : allSearchSensitivities()) {
        auto* option = new RadioOption(QString::fromUtf8(optionLabel(sensitivity)),
                                       QString::fromUtf8(optionCaption(sensitivity)));
        group->addButton(option);
        pickerColumn->addWidget(option);
        options_[static_cast<std::size_t>(sensitivity)] = option;
        connect(option, &RadioOption::toggled, this, [this, sensitivity](bool checked) {
            if (checked)
                settings_.setSensitivity(sensitivity);
        });
    }
    cleanup->addRow(picker);
    column->addWidget(cleanup);

    auto* safety = new FormSection(QStringLiteral("Safety"));
    safety->addControlRow(QStringLiteral("Confirm before deleting files"), confirmBeforeDelete_);
    column->addWidget(safety);
    column->addStretch();

    showStoredValues();
    connect(launchAtLogin_, &SwitchToggle::toggled, this, &GeneralSettingsView::setLaunchAtLogin);
    connect(confirmBeforeDelete_, &SwitchToggle::toggled, this,
            [this](bool on) { settings_.setConfirmBeforeDelete(on); });
}

void GeneralSettingsView::showEvent(QShowEvent* event) {
    showStoredValues();
    QWidget::showEvent(event);
}

void GeneralSettingsView::showStoredValues() {
    const QSignalBlocker blockLaunch(launchAtLogin_);
    const QSignalBlocker blockConfirm(confirmBeforeDelete_);
    launchAtLogin_->setChecked(settings_.launchAtLogin());
    confirmBeforeDelete_->setChecked(settings_.confirmBeforeDelete());
    RadioOption* selected = options_[static_cast<std::size_t>(settings_.sensitivity())];
    const QSignalBlocker blockOption(selected);
    selected->setChecked(true);
}

void GeneralSettingsView::setLaunchAtLogin(bool on) {
    settings_.setLaunchAtLogin(on);
    toggleLaunchAtLogin(on);
}

void GeneralSettingsView::toggleLaunchAtLogin(bool on) {
    const std::optional<QString> failure = on ? loginItem_.registerItem() : loginItem_.unregisterItem();
    if (!failure)
        return;
    Logger::shared().log(std::string("Failed to ") + (on ? "enable" : "disable") +
                             " launch at login: " + failure->toStdString(),
                         LogLevel::error, "toggleLaunchAtLogin(_:)");
    // The switch springs back to the stored opposite without asking the login item again.
    settings_.setLaunchAtLogin(!on);
    const QSignalBlocker block(launchAtLogin_);
    launchAtLogin_->setChecked(!on);
}

} // namespace zn
