#include "Views/Settings/SettingsView.h"

#include "Platform/core/Bundle.h"
#include "Platform/core/StringFormat.h"
#include "Services/SchedulerService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <chrono>

namespace zn {

SettingsView::SettingsView(SchedulerService& scheduler, QWidget* parent)
    : QWidget(parent), scheduler_(scheduler) {
    auto* layout = new QVBoxLayout(this);

    auto* schedule = new QGroupBox(QStringLiteral("Automatic scans"));
    auto* scheduleLayout = new QVBoxLayout(schedule);
    enabled_ = new QCheckBox(QStringLiteral("Scan on a schedule"));
    scheduleLayout->addWidget(enabled_);
    details_ = new QWidget;
    auto* form = new QFormLayout(details_);
    form->setContentsMargins(0, 0, 0, 0);
    interval_ = new QComboBox;
    for (auto interval : allScheduleIntervals())
        interval_->addItem(
            QString::fromUtf8(rawValue(interval).data(), static_cast<int>(rawValue(interval).size())));
    form->addRow(QStringLiteral("Scan interval"), interval_);
    autoClean_ = new QCheckBox(QStringLiteral("Clean safe files after scanning"));
    autoPurge_ = new QCheckBox(QStringLiteral("Let macOS free managed space"));
    notify_ = new QCheckBox(QStringLiteral("Notify me when finished"));
    form->addRow(autoClean_);
    form->addRow(autoPurge_);
    form->addRow(notify_);
    lastRun_ = new QLabel;
    lastRun_->setForegroundRole(QPalette::PlaceholderText);
    form->addRow(QStringLiteral("Last run"), lastRun_);
    scheduleLayout->addWidget(details_);
    layout->addWidget(schedule);

    // Every change replaces the whole configuration through the scheduler, which stores it at once.
    auto edit = [this](auto change) {
        ScheduleConfig config = scheduler_.config();
        change(config);
        scheduler_.setConfig(std::move(config));
    };
    connect(enabled_, &QCheckBox::toggled, this,
            [edit](bool on) { edit([on](ScheduleConfig& c) { c.isEnabled = on; }); });
    connect(interval_, &QComboBox::currentIndexChanged, this, [edit](int index) {
        if (index >= 0)
            edit([index](ScheduleConfig& c) {
                c.interval = allScheduleIntervals()[static_cast<std::size_t>(index)];
            });
    });
    connect(autoClean_, &QCheckBox::toggled, this,
            [edit](bool on) { edit([on](ScheduleConfig& c) { c.autoClean = on; }); });
    connect(autoPurge_, &QCheckBox::toggled, this,
            [edit](bool on) { edit([on](ScheduleConfig& c) { c.autoPurge = on; }); });
    connect(notify_, &QCheckBox::toggled, this,
            [edit](bool on) { edit([on](ScheduleConfig& c) { c.notifyOnCompletion = on; }); });
    connect(&scheduler_, &SchedulerService::configChanged, this, &SettingsView::showConfig);

    auto* name = new QLabel(QStringLiteral("Zelva Nexal"));
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    name->setFont(bold);
    layout->addWidget(name);
    layout->addWidget(new QLabel(versionText()));
    layout->addWidget(new QLabel(QStringLiteral("Free up space without digging through folders.")));
    layout->addStretch();
    setFixedSize(480, 430);
    showConfig();
}

void SettingsView::showConfig() {
    const ScheduleConfig& config = scheduler_.config();
    const QSignalBlocker blockers[] = {QSignalBlocker(enabled_), QSignalBlocker(interval_),
                                       QSignalBlocker(autoClean_), QSignalBlocker(autoPurge_),
                                       QSignalBlocker(notify_)};
    enabled_->setChecked(config.isEnabled);
    // Switching the schedule off hides its details but keeps their stored values.
    details_->setVisible(config.isEnabled);
    interval_->setCurrentIndex(static_cast<int>(config.interval));
    autoClean_->setChecked(config.autoClean);
    autoPurge_->setChecked(config.autoPurge);
    notify_->setChecked(config.notifyOnCompletion);
    lastRun_->setText(QString::fromStdString(config.formattedLastRun(std::chrono::system_clock::now())));
}

QString SettingsView::versionText() {
    std::string version = Bundle::stringForInfoKey("CFBundleShortVersionString").value_or("1.0");
    return QString::fromStdString(formatString("Version %@", {version}));
}

} // namespace zn
