#pragma once

#include "Views/Kit/Feedback/ConfettiBurst.h"

namespace zn::test {

// The same numbers in every run, so bursts of confetti are drawn alike.
RandomSource fixedRandom();

} // namespace zn::test
