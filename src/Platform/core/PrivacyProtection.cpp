#include "Platform/core/PrivacyProtection.h"

namespace zn {

PrivacyProtection platformPrivacyProtection() {
    return PrivacyProtection::none;
}

} // namespace zn
