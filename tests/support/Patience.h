#pragma once

#include <chrono>

namespace zn::test {

// How long a test waits for something already on its way: a thread's result, a child's exit, an event. A
// wait ends as soon as its condition holds, so this costs nothing when all is well; it is far beyond what
// any machine busy with other builds needs, and still ends a test that would otherwise hang.
inline constexpr std::chrono::milliseconds kPatience = std::chrono::minutes(5);

} // namespace zn::test
