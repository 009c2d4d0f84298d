#pragma once

#include "Models/SearchSensitivity.h"
#include "Views/Settings/StoredSettings.h"

#include <QWidget>

#include <array>

namespace zn {

class LoginItem;
class RadioOption;
class SwitchToggle;

// The General tab: launch at login, how hard the uninstaller should look, and confirmation before deleting.
class GeneralSettingsView : public QWidget {
    Q_OBJECT

public:
    GeneralSettingsView(UserDefaults& defaults, const LoginItem& loginItem, QWidget* parent = nullptr);

    SwitchToggle& launchAtLoginSwitch() const { return *launchAtLogin_; }
    SwitchToggle& confirmBeforeDeleteSwitch() const { return *confirmBeforeDelete_; }
    RadioOption& sensitivityOption(SearchSensitivity sensitivity) const {
        return *options_[static_cast<std::size_t>(sensitivity)];
    }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The switch's binding: the wanted state is stored first, then the login item follows it.
    void setLaunchAtLogin(bool on);
    void toggleLaunchAtLogin(bool on);
    void showStoredValues();

    StoredSettings settings_;
    const LoginItem& loginItem_;
    SwitchToggle* launchAtLogin_;
    SwitchToggle* confirmBeforeDelete_;
    std::array<RadioOption*, 3> options_{};
};

} // namespace zn
