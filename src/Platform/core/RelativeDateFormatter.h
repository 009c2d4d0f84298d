#pragma once

#include "Models/Date.h"

#include <string>

namespace zn {

// The elapsed time between `date` and `now` in the locale's abbreviated wording ("2 hr. ago", "in 5 min.",
// "3 days ago"), using the largest unit that is at least one. An empty locale name means the user's locale.
std::string abbreviatedRelativeTime(Date date, Date now, const std::string& localeName = {});

} // namespace zn
