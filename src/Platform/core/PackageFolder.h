#pragma once

#include <string>

namespace zn {

// Whether a folder of this name is one the desktop shows as a single document (an application, framework,
// plug-in, library bundle...): its contents are the package's own. The extension counts in any case.
bool isPackageName(const std::string& name);

} // namespace zn
