#include "Logic/Utilities/Logger.h"

#include "Platform/core/Bundle.h"
#include "Platform/core/MainQueue.h"
#include "Platform/core/Utf8.h"

#include <syslog.h>

namespace zn {

namespace {
constexpr std::array<std::string_view, 4> kLevelRawValues{"debug", "info", "warning", "error"};
constexpr std::array<int, 4> kLevelPriorities{LOG_DEBUG, LOG_INFO, LOG_NOTICE, LOG_ERR};
} // namespace

std::string_view rawValue(LogLevel level) { return kLevelRawValues[static_cast<std::size_t>(level)]; }

int syslogPriority(LogLevel level) { return kLevelPriorities[static_cast<std::size_t>(level)]; }

Logger& Logger::shared() {
    static Logger* instance =
        new Logger(std::make_unique<SyslogSink>(Bundle::bundleIdentifierOrDefault()));
    return *instance;
}

Logger::Logger(std::unique_ptr<SystemLogSink> sink)
    : sink_(std::move(sink)), self_(std::make_shared<Logger*>(this)) {}

Logger::~Logger() = default;

void Logger::log(const std::string& text, LogLevel level, const std::string& source) {
    // Messages carry paths and tools' words: one of them must never pass for a line of its own.
    std::string message = escapingControlCharacters(text);
    const int priority = syslogPriority(level);
    if (sink_ && sink_->accepts(priority))
        sink_->write(priority, message);

    LogEntry entry{Uuid::random(), std::chrono::system_clock::now(), std::move(message), level, source};
    std::weak_ptr<Logger*> weakSelf = self_;
    MainQueue::post([weakSelf, entry = std::move(entry)]() mutable {
        if (auto self = weakSelf.lock())
            (*self)->append(std::move(entry));
    });
}

void Logger::append(LogEntry entry) {
    entries_.push_back(std::move(entry));
    while (entries_.size() > kMaxEntries)
        entries_.pop_front();
    if (entriesChanged_)
        entriesChanged_();
}

} // namespace zn
