#pragma once

#include "Models/Date.h"

#include <string>

namespace zn {

// The day of `date` in the local time zone, in the locale's long date style without the time ("June 3,
// 2024"). An empty locale name means the user's locale; empty text when the locale cannot format it.
std::string longDateText(Date date, const std::string& localeName = {});

} // namespace zn
