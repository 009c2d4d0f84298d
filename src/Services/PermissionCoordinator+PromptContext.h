#pragma once

#include "Models/PermissionPromptContext.h"

#include <string>

namespace zn {

// The permission prompt's title for why access is asked for.
std::string headline(const PermissionPromptContext& context);

} // namespace zn
