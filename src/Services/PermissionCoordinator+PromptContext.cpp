#include "Services/PermissionCoordinator+PromptContext.h"

#include "Platform/core/StringFormat.h"

namespace zn {

std::string headline(const PermissionPromptContext& context) {
    switch (context.kind()) {
    case PermissionPromptContext::Kind::cleanup:
        return formatString("Allow access to remove %lld item(s)", {context.failedCount()});
    case PermissionPromptContext::Kind::uninstall:
        return formatString("Allow access to finish removing files for %@ (%lld)",
                            {context.appName(), context.failedCount()});
    case PermissionPromptContext::Kind::general:
        break;
    }
    return "Allow Zelva Nexal to clean more";
}

} // namespace zn
