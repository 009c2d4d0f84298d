#pragma once

#include <functional>

namespace zn::test {

// Runs the main event loop until `condition` holds or `timeoutMs` pass; returns whether it holds.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
// Runs the main event loop for `milliseconds`.
void spinEventLoop(int milliseconds);

} // namespace zn::test
