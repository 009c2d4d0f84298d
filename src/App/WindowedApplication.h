#pragma once

namespace zn {

// The windowed program: refuses with a message when there is no display, hands over to a copy the user
// already runs, and otherwise runs the application until it quits. Returns the process's exit status.
int runWindowedApplication(int argc, char* argv[]);

} // namespace zn
