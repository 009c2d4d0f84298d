#pragma once

#include "Views/Settings/StoredSettings.h"

#include <QWidget>

namespace zn {

class SettingsStepper;
class SwitchToggle;
class TextLabel;

// The Cleaning tab: hidden system files, and the size and age that make a file large or old.
class CleaningSettingsView : public QWidget {
    Q_OBJECT

public:
    explicit CleaningSettingsView(UserDefaults& defaults, QWidget* parent = nullptr);

    SwitchToggle& skipHiddenFilesSwitch() const { return *skipHiddenFiles_; }
    SettingsStepper& largeFileThresholdStepper() const { return *threshold_; }
    SettingsStepper& oldFileMonthsStepper() const { return *months_; }
    const TextLabel& largeFileThresholdLabel() const { return *thresholdLabel_; }
    const TextLabel& oldFileMonthsLabel() const { return *monthsLabel_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showStoredValues();

    StoredSettings settings_;
    SwitchToggle* skipHiddenFiles_;
    SettingsStepper* threshold_;
    SettingsStepper* months_;
    TextLabel* thresholdLabel_;
    TextLabel* monthsLabel_;
};

} // namespace zn
