#pragma once

#include <optional>
#include <string>

namespace zn::test {

// Sets the process's local time zone for one test and restores the previous one afterwards. Give a POSIX
// rule ("UTC0", "CET-1CEST,M3.5.0,M10.5.0/3"), so no zone database is needed.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* rule);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> previous_;
};

} // namespace zn::test
