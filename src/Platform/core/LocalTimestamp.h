#pragma once

#include "Models/Date.h"

#include <optional>
#include <string_view>

namespace zn {

// Reads "yyyy-MM-dd-HHmmss" as a time of the Gregorian calendar in the local time zone. The whole text
// must be that pattern, in ASCII digits at full width; a day or time that does not exist (30 February,
// 24:00:00, a local hour skipped by a daylight-saving change, the year 0) gives none.
std::optional<Date> dateFromLocalTimestamp(std::string_view text);

} // namespace zn
