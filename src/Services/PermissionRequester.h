#pragma once

#include "Models/PermissionPromptContext.h"

#include <functional>
#include <string>
#include <vector>

namespace zn {

// The permission prompt, as the application state uses it: ask for Full Disk Access for these paths and
// call `onGranted` once it is there (at once, when it already is).
class PermissionRequester {
public:
    virtual ~PermissionRequester() = default;

    // A prompt is open and waits for the user.
    virtual bool isRequesting() const = 0;

    virtual void requestAccess(const PermissionPromptContext& context, std::vector<std::string> failedPaths,
                               std::function<void()> onGranted) = 0;
};

} // namespace zn
