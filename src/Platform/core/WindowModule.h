#pragma once

#include <iosfwd>
#include <string>

namespace zn {

// The windowed program lives in a module of its own, loaded only once a window is wanted, so that the
// command line and the administrator side of a clean never load Qt.
inline constexpr const char* kWindowModuleFile = "zelvanexal-window.so";
// The module's entry: runs the windowed program with the process arguments and returns its exit status.
inline constexpr const char* kWindowModuleEntry = "zelvanexal_run_window";
using WindowModuleEntry = int (*)(int argc, char** argv);

// The folder of the running program, links resolved; empty when it cannot be read.
std::string runningProgramFolder();

// Loads the module from beside the program (the build tree) or else from the program's own library folder
// (once installed), both found from `programFolder`, and runs its entry. When neither holds a module with
// that entry, says why on `err` and returns 1.
int runWindowModule(int argc, char** argv, std::ostream& err,
                    const std::string& programFolder = runningProgramFolder());

} // namespace zn
