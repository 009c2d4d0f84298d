#include "Platform/core/SystemLog.h"

#include <syslog.h>

namespace zn {

SyslogSink::SyslogSink(std::string ident) : ident_(std::move(ident)) {
    openlog(ident_.c_str(), LOG_PID, LOG_USER);
}

SyslogSink::~SyslogSink() {
    closelog();
}

bool SyslogSink::accepts(int priority) const {
    const int mask = setlogmask(0); // 0 reads the mask without changing it
    return (mask & LOG_MASK(priority)) != 0;
}

void SyslogSink::write(int priority, const std::string& message) {
    syslog(priority, "%s", message.c_str());
}

} // namespace zn
