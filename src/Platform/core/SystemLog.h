#pragma once

#include <string>

namespace zn {

// Where log messages go besides the in-memory list: the system log.
class SystemLogSink {
public:
    virtual ~SystemLogSink() = default;
    // Whether the log takes messages of this syslog priority right now.
    virtual bool accepts(int priority) const = 0;
    virtual void write(int priority, const std::string& message) = 0;
};

// syslog(3) under the given identifier. The message is always passed as an argument, never as a format.
class SyslogSink final : public SystemLogSink {
public:
    explicit SyslogSink(std::string ident);
    ~SyslogSink() override;
    bool accepts(int priority) const override;
    void write(int priority, const std::string& message) override;

private:
    std::string ident_; // syslog keeps the pointer, so the text must outlive the connection
};

} // namespace zn
