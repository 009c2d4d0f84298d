#pragma once

#include "Models/ScheduleConfig.h"
#include "Platform/qt/Clock.h"
#include "Platform/qt/UserDefaults.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

namespace zn {

// Seconds from one scheduled run to the next.
std::chrono::seconds intervalLength(ScheduleInterval interval);

// Runs the schedule while the application runs: keeps the schedule settings in the user defaults, checks
// once a minute whether the next run is due and, when it is, moves both dates on and fires its trigger.
// A run missed while the application was not running is not caught up. Main thread only.
class SchedulerService : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::seconds kCheckInterval{60};
    static const QString kConfigKey; // "ZelvaNexal.ScheduleConfig"

    // Loads the stored settings; the check is not started.
    SchedulerService(std::shared_ptr<Clock> clock, std::shared_ptr<UserDefaults> defaults,
                     QObject* parent = nullptr);
    ~SchedulerService() override;

    const ScheduleConfig& config() const { return config_; }
    // Every assignment is stored at once. It neither starts nor stops the check.
    void setConfig(ScheduleConfig config);

    // What a due run does; runs in a later turn of the main thread, after both dates are stored.
    void setOnTrigger(std::function<void()> trigger) { onTrigger_ = std::move(trigger); }

    // Starts the once-a-minute check when the schedule is enabled (replacing a running one). A schedule
    // switched on later is checked only after the next start; one switched off is skipped at each check.
    void start();
    bool isCheckRunning() const { return checkRunning_; }

signals:
    void configChanged();

private:
    void scheduleNextCheck();
    void checkAndRun();
    void updateNextRunDate();
    void saveConfig();

    std::shared_ptr<Clock> clock_;
    std::shared_ptr<UserDefaults> defaults_;
    ScheduleConfig config_;
    std::function<void()> onTrigger_;
    ScheduledCall nextCheck_;
    bool checkRunning_ = false;
};

} // namespace zn
