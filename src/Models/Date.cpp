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

Date dateFromUnixTime(std::int64_t seconds, std::int64_t nanoseconds) {
    using namespace std::chrono;
    using Ticks = system_clock::duration;
    // Whole seconds short of the range leave room for the fraction of a second.
    constexpr std::int64_t lastWholeSecond = duration_cast<std::chrono::seconds>(Ticks::max()).count() - 1;
    if (seconds > lastWholeSecond)
        return Date::max();
    if (seconds < -lastWholeSecond)
        return Date::min();
    return Date(duration_cast<Ticks>(std::chrono::seconds(seconds)) +
                duration_cast<Ticks>(std::chrono::nanoseconds(nanoseconds % 1'000'000'000)));
}

} // namespace zn
