#include "Services/SchedulerService.h"

#include <QByteArray>

namespace zn {

namespace {

using namespace std::chrono_literals;

// A stored next run closer than this (or past) is dropped at launch rather than caught up.
constexpr std::chrono::seconds kStaleNextRunMargin{60};

ScheduleConfig loadConfig(const UserDefaults& defaults, Date now) {
    auto data = defaults.dataForKey(SchedulerService::kConfigKey);
    if (!data)
        return {};
    auto decoded = ScheduleConfig::decode(data->toStdString());
    if (!decoded)
        return {};
    if (decoded->nextRunDate && *decoded->nextRunDate < now + kStaleNextRunMargin) {
        decoded->nextRunDate.reset();
        decoded->lastRunDate.reset();
    }
    return *decoded;
}

} // namespace

const QString SchedulerService::kConfigKey = QStringLiteral("ZelvaNexal.ScheduleConfig");

std::chrono::seconds intervalLength(ScheduleInterval interval) {
    switch (interval) {
    case ScheduleInterval::hours1:
        return 1h;
    case ScheduleInterval::hours3:
        return 3h;
    case ScheduleInterval::hours6:
        return 6h;
    case ScheduleInterval::hours12:
        return 12h;
    case ScheduleInterval::daily:
        return 24h;
    case ScheduleInterval::weekly:
        return 7 * 24h;
    case ScheduleInterval::biweekly:
        return 14 * 24h;
    case ScheduleInterval::monthly:
        return 30 * 24h;
    }
    return 24h;
}

SchedulerService::SchedulerService(std::shared_ptr<Clock> clock, std::shared_ptr<UserDefaults> defaults,
                                   QObject* parent)
    : QObject(parent), clock_(std::move(clock)), defaults_(std::move(defaults)),
      config_(loadConfig(*defaults_, clock_->now())) {}

SchedulerService::~SchedulerService() {
    nextCheck_.cancel();
}

void SchedulerService::setConfig(ScheduleConfig config) {
    config_ = std::move(config);
    saveConfig();
    emit configChanged();
}

void SchedulerService::saveConfig() {
    defaults_->setData(QByteArray::fromStdString(config_.encoded()), kConfigKey);
}

void SchedulerService::start() {
    nextCheck_.cancel();
    checkRunning_ = false;
    if (!config_.isEnabled)
        return;
    updateNextRunDate();
    checkRunning_ = true;
    scheduleNextCheck();
}

void SchedulerService::scheduleNextCheck() {
    nextCheck_ = clock_->callAfter(kCheckInterval, this, [this] {
        // Re-armed first, so the check keeps its rhythm whatever a run does.
        scheduleNextCheck();
        checkAndRun();
    });
}

void SchedulerService::updateNextRunDate() {
    ScheduleConfig config = config_;
    Date base = config.lastRunDate.value_or(clock_->now());
    config.nextRunDate = base + intervalLength(config.interval);
    setConfig(std::move(config));
}

void SchedulerService::checkAndRun() {
    if (!config_.isEnabled || !config_.nextRunDate)
        return;
    if (clock_->now() < *config_.nextRunDate)
        return;
    ScheduleConfig config = config_;
    config.lastRunDate = clock_->now();
    setConfig(std::move(config));
    updateNextRunDate();
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (onTrigger_)
                onTrigger_();
        },
        Qt::QueuedConnection);
}

} // namespace zn
