#include "App/WindowedApplication.h"
#include "Platform/core/WindowModule.h"

#include <type_traits>

// The windowed program, called by the program once it knows no command word was given.
extern "C" __attribute__((visibility("default"))) int zelvanexal_run_window(int argc, char** argv) {
    return zn::runWindowedApplication(argc, argv);
}

static_assert(std::is_same_v<decltype(&zelvanexal_run_window), zn::WindowModuleEntry>);
