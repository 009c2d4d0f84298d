#include "Models/Date.h"

namespace zn {

double timeIntervalSinceReferenceDate(Date date) {
    using namespace std::chrono;
    auto sinceUnix = duration_cast<duration<double>>(date.time_since_epoch());
    return sinceUnix.count() - static_cast<double>(kReferenceDateOffsetFromUnixEpoch.count());
}

Date dateFromTimeIntervalSinceReferenceDate(double seconds) {
    using namespace std::chrono;
    using Ticks = system_clock::duration;
    // Stored dates come from files a person can edit: clamp instead of overflowing the clock's range.
    const double sinceUnix = seconds + static_cast<double>(kReferenceDateOffsetFromUnixEpoch.count());
    const double ticks =
        sinceUnix * static_cast<double>(Ticks::period::den) / static_cast<double>(Ticks::period::num);
    if (!(ticks < static_cast<double>(Ticks::max().count())))
        return Date::max();
    if (!(ticks > static_cast<double>(Ticks::min().count())))
        return Date::min();
    return Date(Ticks(static_cast<Ticks::rep>(ticks)));
}

} // namespace zn
