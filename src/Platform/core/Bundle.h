#pragma once

#include "Platform/core/PropertyList.h"

#include <optional>
#include <string>

namespace zn::Bundle {

// The program's own Info.plist, generated at build time and embedded in the binary.
const PlistValue& infoDictionary();
std::optional<std::string> bundleIdentifier();
// The identifier, or the one the program is built with should the embedded file ever lack it.
std::string bundleIdentifierOrDefault();
// A text value of the Info.plist; none when the key is missing or not text.
std::optional<std::string> stringForInfoKey(const std::string& key);

} // namespace zn::Bundle

namespace zn::bundle_detail {
extern const char* const kEmbeddedInfoPlist;
}
