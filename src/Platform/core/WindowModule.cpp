#include "Platform/core/WindowModule.h"

#include <climits>
#include <dlfcn.h>
#include <ostream>
#include <stdlib.h>
#include <unistd.h>

namespace zn {

std::string runningProgramFolder() {
    char resolved[PATH_MAX];
    if (!::realpath("/proc/self/exe", resolved))
        return {};
    std::string path(resolved);
    return path.substr(0, path.rfind('/'));
}

int runWindowModule(int argc, char** argv, std::ostream& err, const std::string& programFolder) {
    // By full path only: no search path or environment variable chooses the code that runs here.
    const std::string places[] = {programFolder + "/" + kWindowModuleFile,
                                  programFolder + "/" ZN_WINDOW_MODULE_INSTALL_DIR "/" + kWindowModuleFile};
    std::string reason = "no " + std::string(kWindowModuleFile) + " in " + programFolder + " or " +
                         programFolder + "/" ZN_WINDOW_MODULE_INSTALL_DIR;
    for (const std::string& place : places) {
        if (::access(place.c_str(), F_OK) != 0)
            continue;
        // Never unloaded: the windowed program runs until the process ends.
        void* module = ::dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (void* entry = module ? ::dlsym(module, kWindowModuleEntry) : nullptr)
            return reinterpret_cast<WindowModuleEntry>(entry)(argc, argv);
        const char* failure = ::dlerror();
        reason = failure ? failure : place + ": cannot be loaded";
        break;
    }
    err << "zelvanexal: cannot load the window: " << reason << "\n";
    err.flush();
    return 1;
}

} // namespace zn
