#include "Views/Settings/ScheduleSettingsView.h"

#include "Platform/qt/Clock.h"
#include "Services/SchedulerService.h"
#include "Views/Kit/Controls/PopUpButton.h"
#include "Views/Kit/Controls/SwitchToggle.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/Settings/FormSection.h"

#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zn {

ScheduleSettingsView::ScheduleSettingsView(SchedulerService& scheduler, const Clock& clock, QWidget* parent)
    : QWidget(parent), scheduler_(scheduler), clock_(clock), enabled_(new SwitchToggle),
      interval_(new PopUpButton), autoClean_(new SwitchToggle), autoPurge_(new SwitchToggle),
      notify_(new SwitchToggle),
      lastRun_(new TextLabel(QString(), textFont(TextStyle::body), PlatformColor::secondaryLabel)) {
    auto* column = new QVBoxLayout(this);
    auto* section = new FormSection(QStringLiteral("Automatic scans"));
    section->addControlRow(QStringLiteral("Scan on a schedule"), enabled_);
    for (const ScheduleInterval interval : allScheduleIntervals()) {
        const std::string_view label = rawValue(interval);
        interval_->addItem(QString::fromUtf8(label));
    }
    details_ = {section->addControlRow(QStringLiteral("Scan interval"), interval_),
                section->addControlRow(QStringLiteral("Clean safe files after scanning"), autoClean_),
                section->addControlRow(QStringLiteral("Let macOS free managed space"), autoPurge_),
                section->addControlRow(QStringLiteral("Notify me when finished"), notify_),
                section->addControlRow(QStringLiteral("Last run"), lastRun_)};
    column->addWidget(section);
    column->addStretch();

    // Every change replaces the whole configuration through the scheduler, which stores it at once.
    auto edit = [this](auto change) {
        ScheduleConfig config = scheduler_.config();
        change(config);
        scheduler_.setConfig(std::move(config));
    };
    connect(enabled_, &SwitchToggle::toggled, this,
            [edit](bool on) { edit([on](ScheduleConfig& c) { c.isEnabled = on; }); });
    connect(interval_, &QComboBox::currentIndexChanged, this, [edit](int index) {
        if (index >= 0)
            edit([index](ScheduleConfig& c) {
                c.interval = allScheduleIntervals()[static_cast<std::size_t>(index)];
            });
    });
    connect(autoClean_, &SwitchToggle::toggled, this,
            [edit](bool on) { edit([on](ScheduleConfig& c) { c.autoClean = on; }); });
    connect(autoPurge_, &SwitchToggle::toggled, this,
            [edit](bool on) { edit([on](ScheduleConfig& c) { c.autoPurge = on; }); });
    connect(notify_, &SwitchToggle::toggled, this,
            [edit](bool on) { edit([on](ScheduleConfig& c) { c.notifyOnCompletion = on; }); });
    connect(&scheduler_, &SchedulerService::configChanged, this, &ScheduleSettingsView::showConfig);
    showConfig();
}

void ScheduleSettingsView::showEvent(QShowEvent* event) {
    // The last run reads relative to now.
    showConfig();
    QWidget::showEvent(event);
}

void ScheduleSettingsView::showConfig() {
    const ScheduleConfig& config = scheduler_.config();
    const QSignalBlocker blockers[] = {QSignalBlocker(enabled_), QSignalBlocker(interval_),
                                       QSignalBlocker(autoClean_), QSignalBlocker(autoPurge_),
                                       QSignalBlocker(notify_)};
    enabled_->setChecked(config.isEnabled);
    // Switching the schedule off hides its details but keeps their stored values.
    for (QWidget* row : details_)
        row->setVisible(config.isEnabled);
    interval_->setCurrentIndex(static_cast<int>(config.interval));
    autoClean_->setChecked(config.autoClean);
    autoPurge_->setChecked(config.autoPurge);
    notify_->setChecked(config.notifyOnCompletion);
    lastRun_->setText(QString::fromStdString(config.formattedLastRun(clock_.now())));
}

} // namespace zn
