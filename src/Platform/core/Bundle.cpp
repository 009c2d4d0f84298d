#include "Platform/core/Bundle.h"

namespace zn::Bundle {

const PlistValue& infoDictionary() {
    static const PlistValue info = [] {
        auto parsed = parsePropertyList(bundle_detail::kEmbeddedInfoPlist);
        return parsed && parsed->dictionary() ? *parsed : PlistValue{PlistValue::Dictionary{}};
    }();
    return info;
}

std::optional<std::string> bundleIdentifier() {
    return stringForInfoKey("CFBundleIdentifier");
}

std::string bundleIdentifierOrDefault() {
    return bundleIdentifier().value_or("com.zelvanexal.app");
}

std::optional<std::string> stringForInfoKey(const std::string& key) {
    return infoDictionary().stringForKey(key);
}

} // namespace zn::Bundle
