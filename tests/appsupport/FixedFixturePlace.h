#pragma once

namespace zn::test {

// Screenshots show fixture paths. Where the system allows it, the run takes a mount namespace of its own
// with an empty folder mounted at a fixed place, and lays its fixtures there: every run then draws the same
// paths, wherever the build tree lies and whatever the process id. Elsewhere (no privilege for it, or the
// build tree under that place) fixtures stay in the build tree. Call it first thing, while the process has
// one thread: later threads share the namespace of the thread that starts them.
void placeFixturesAtAFixedPath();

} // namespace zn::test
