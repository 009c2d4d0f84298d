#include "Services/PermissionCoordinator+PromptContext.h"

namespace zn {

namespace {

// Fills the first occurrence of `placeholder` in the format text.
std::string filled(std::string format, std::string_view placeholder, const std::string& value) {
    if (auto at = format.find(placeholder); at != std::string::npos)
        format.replace(at, placeholder.size(), value);
    return format;
}

} // namespace

std::string PermissionPromptContext::headline() const {
    switch (kind_) {
    case Kind::cleanup:
        return filled("Allow access to remove %lld item(s)", "%lld", std::to_string(failedCount_));
    case Kind::uninstall:
        // The name goes in last, so a name that holds a placeholder stays as it is.
        return filled(filled("Allow access to finish removing files for %@ (%lld)", "%lld",
                             std::to_string(failedCount_)),
                      "%@", appName_);
    case Kind::general:
        break;
    }
    return "Allow Zelva Nexal to clean more";
}

} // namespace zn
