#pragma once

#include <QTabWidget>

namespace zn {

class AboutSettingsView;
class CleaningSettingsView;
class Clock;
class GeneralSettingsView;
class LoginItem;
class ScheduleSettingsView;
class SchedulerService;
class SettingsTabBar;
class UrlOpener;
class UserDefaults;

// The settings window: the General, Cleaning, Schedule and About tabs, 480 by 430 points.
class SettingsView : public QTabWidget {
    Q_OBJECT

public:
    static constexpr QSize kSize{480, 430};

    SettingsView(SchedulerService& scheduler, UserDefaults& defaults, const LoginItem& loginItem,
                 UrlOpener& urlOpener, const Clock& clock, QWidget* parent = nullptr);

    SettingsTabBar& settingsTabBar() const { return *tabBar_; }
    GeneralSettingsView& general() const { return *general_; }
    CleaningSettingsView& cleaning() const { return *cleaning_; }
    ScheduleSettingsView& schedule() const { return *schedule_; }
    AboutSettingsView& about() const { return *about_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void addPage(QWidget* page, const QString& label, const std::string& symbol);

    SettingsTabBar* tabBar_;
    GeneralSettingsView* general_;
    CleaningSettingsView* cleaning_;
    ScheduleSettingsView* schedule_;
    AboutSettingsView* about_;
};

} // namespace zn
