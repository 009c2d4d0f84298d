#pragma once

#include <string>

namespace zn::test {

// The text of an XML Info.plist with the keys given (an empty value leaves its key out).
std::string infoPlistText(const std::string& identifier, const std::string& name = {},
                          const std::string& displayName = {});

} // namespace zn::test
