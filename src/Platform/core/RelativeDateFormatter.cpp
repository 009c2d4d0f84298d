#include "Platform/core/RelativeDateFormatter.h"

#include <array>
#include <cmath>
#include <memory>

#include <unicode/locid.h>
#include <unicode/reldatefmt.h>
#include <unicode/unistr.h>

namespace zn {

namespace {

struct UnitLength {
    URelativeDateTimeUnit unit;
    double seconds;
};

constexpr double kDay = 86400;
constexpr std::array<UnitLength, 7> kUnits{{
    {UDAT_REL_UNIT_YEAR, 365 * kDay},
    {UDAT_REL_UNIT_MONTH, 30 * kDay},
    {UDAT_REL_UNIT_WEEK, 7 * kDay},
    {UDAT_REL_UNIT_DAY, kDay},
    {UDAT_REL_UNIT_HOUR, 3600},
    {UDAT_REL_UNIT_MINUTE, 60},
    {UDAT_REL_UNIT_SECOND, 1},
}};

} // namespace

std::string abbreviatedRelativeTime(Date date, Date now, const std::string& localeName) {
    using namespace std::chrono;
    // Apart in floating point: a stored date at either end of the clock's range is too far from now for
    // the clock's own subtraction.
    const double offset = duration_cast<duration<double>>(date.time_since_epoch()).count() -
                          duration_cast<duration<double>>(now.time_since_epoch()).count();

    UnitLength chosen = kUnits.back();
    for (const auto& unit : kUnits) {
        if (std::fabs(offset) >= unit.seconds) {
            chosen = unit;
            break;
        }
    }
    const double amount = std::trunc(offset / chosen.seconds);

    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale = localeName.empty() ? icu::Locale::getDefault() : icu::Locale(localeName.c_str());
    icu::RelativeDateTimeFormatter formatter(locale, nullptr, UDAT_STYLE_SHORT, UDISPCTX_CAPITALIZATION_NONE,
                                             status);
    icu::UnicodeString text;
    if (U_SUCCESS(status))
        formatter.formatNumeric(amount, chosen.unit, text, status);
    if (U_FAILURE(status))
        return {};
    std::string utf8;
    text.toUTF8String(utf8);
    return utf8;
}

} // namespace zn
