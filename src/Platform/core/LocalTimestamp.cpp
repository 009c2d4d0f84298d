#include "Platform/core/LocalTimestamp.h"

#include <ctime>

namespace zn {

namespace {

constexpr std::size_t kTimestampLength = 17; // yyyy-MM-dd-HHmmss

bool readDigits(std::string_view text, std::size_t from, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool sameWallTime(const std::tm& a, const std::tm& b) {
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday &&
           a.tm_hour == b.tm_hour && a.tm_min == b.tm_min && a.tm_sec == b.tm_sec;
}

} // namespace

std::optional<Date> dateFromLocalTimestamp(std::string_view text) {
    if (text.size() != kTimestampLength || text[4] != '-' || text[7] != '-' || text[10] != '-')
        return std::nullopt;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!readDigits(text, 0, 4, year) || !readDigits(text, 5, 2, month) || !readDigits(text, 8, 2, day) ||
        !readDigits(text, 11, 2, hour) || !readDigits(text, 13, 2, minute) ||
        !readDigits(text, 15, 2, second))
        return std::nullopt;
    if (year < 1)
        return std::nullopt;

    std::tm wanted{};
    wanted.tm_year = year - 1900;
    wanted.tm_mon = month - 1;
    wanted.tm_mday = day;
    wanted.tm_hour = hour;
    wanted.tm_min = minute;
    wanted.tm_sec = second;
    wanted.tm_isdst = -1;
    std::tm normalised = wanted;
    const std::time_t seconds = std::mktime(&normalised);

    // mktime quietly carries out-of-range fields into the next ones; reading the instant back in local time
    // shows whether the text named a time that really exists.
    std::tm back{};
    if (!localtime_r(&seconds, &back) || !sameWallTime(back, wanted))
        return std::nullopt;
    return dateFromUnixTime(seconds);
}

} // namespace zn
