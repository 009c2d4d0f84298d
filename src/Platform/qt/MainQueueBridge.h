#pragma once

namespace zn {

// Hands everything posted to the main queue (log entries, leftover-search results) to the Qt event loop
// of the main thread, and runs what was posted before the event loop took over. Needs the application
// object; calling it again changes nothing.
void routeMainQueueToEventLoop();

} // namespace zn
