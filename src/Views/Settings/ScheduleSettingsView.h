#pragma once

#include <QWidget>

#include <vector>

class QComboBox;

namespace zn {

class Clock;
class SchedulerService;
class SwitchToggle;
class TextLabel;

// The Schedule tab: the scheduler's settings for automatic scans. Every change replaces the scheduler's
// whole configuration, which stores it at once; the details show only while the schedule is on.
class ScheduleSettingsView : public QWidget {
    Q_OBJECT

public:
    ScheduleSettingsView(SchedulerService& scheduler, const Clock& clock, QWidget* parent = nullptr);

    SwitchToggle& enabledSwitch() const { return *enabled_; }
    SwitchToggle& autoCleanSwitch() const { return *autoClean_; }
    SwitchToggle& notifySwitch() const { return *notify_; }
    QComboBox& intervalPicker() const { return *interval_; }
    const TextLabel& lastRunLabel() const { return *lastRun_; }
    // The rows shown only while the schedule is on.
    const std::vector<QWidget*>& detailRows() const { return details_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showConfig();

    SchedulerService& scheduler_;
    const Clock& clock_;
    SwitchToggle* enabled_;
    QComboBox* interval_;
    SwitchToggle* autoClean_;
    SwitchToggle* autoPurge_;
    SwitchToggle* notify_;
    TextLabel* lastRun_;
    std::vector<QWidget*> details_;
};

} // namespace zn
