#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

namespace zn {

class SchedulerService;

// The settings window's content: the schedule of automatic scans, then the program's name and version.
class SettingsView : public QWidget {
    Q_OBJECT

public:
    explicit SettingsView(SchedulerService& scheduler, QWidget* parent = nullptr);

    // "Version %@" with the bundle's short version, or "1.0" when it has none.
    static QString versionText();

private:
    void showConfig();

    SchedulerService& scheduler_;
    QCheckBox* enabled_;
    QWidget* details_;
    QComboBox* interval_;
    QCheckBox* autoClean_;
    QCheckBox* autoPurge_;
    QCheckBox* notify_;
    QLabel* lastRun_;
};

} // namespace zn
