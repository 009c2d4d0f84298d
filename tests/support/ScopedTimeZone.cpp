#include "support/ScopedTimeZone.h"

#include <cstdlib>
#include <ctime>

namespace zn::test {

ScopedTimeZone::ScopedTimeZone(const char* rule) {
    if (const char* old = std::getenv("TZ"))
        previous_ = old;
    ::setenv("TZ", rule, 1);
    ::tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
    if (previous_)
        ::setenv("TZ", previous_->c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

} // namespace zn::test
