#pragma once

#include "Models/Date.h"
#include "Models/Uuid.h"
#include "Platform/core/SystemLog.h"

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace zn {

enum class LogLevel { debug, info, warning, error };

std::string_view rawValue(LogLevel level);
// debug → LOG_DEBUG, info → LOG_INFO, warning → LOG_NOTICE (the default type), error → LOG_ERR.
int syslogPriority(LogLevel level);

struct LogEntry {
    Uuid id;
    Date timestamp;
    std::string message;
    LogLevel level = LogLevel::info;
    std::string source; // the declared signature of the operation that logged, e.g. "getDiskInfo()"

    bool operator==(const LogEntry& other) const { return id == other.id; }
};

// The process-wide logger: every message goes to the system log at once and, shortly after, to the
// in-memory list of the last 1,000 entries, which is touched only on the main thread.
class Logger {
public:
    static constexpr std::size_t kMaxEntries = 1000;

    static Logger& shared();
    explicit Logger(std::unique_ptr<SystemLogSink> sink);
    ~Logger();

    // Callable from any thread; never waits for the main thread. Control characters in `message` are
    // escaped, so that each message is one line wherever it is shown.
    void log(const std::string& message, LogLevel level, const std::string& source);

    // Main thread only: the entries, oldest first.
    const std::deque<LogEntry>& entries() const { return entries_; }
    // Main thread only: called after every change of entries().
    void setEntriesChangedHandler(std::function<void()> handler) { entriesChanged_ = std::move(handler); }

private:
    void append(LogEntry entry);

    std::unique_ptr<SystemLogSink> sink_;
    std::deque<LogEntry> entries_;
    std::function<void()> entriesChanged_;
    std::shared_ptr<Logger*> self_; // weak handle for appends that may run after the logger is gone
};

} // namespace zn
