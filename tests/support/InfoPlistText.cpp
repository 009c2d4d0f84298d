#include "support/InfoPlistText.h"

namespace zn::test {

std::string infoPlistText(const std::string& identifier, const std::string& name,
                          const std::string& displayName) {
    std::string body;
    if (!identifier.empty())
        body += "<key>CFBundleIdentifier</key><string>" + identifier + "</string>";
    if (!name.empty())
        body += "<key>CFBundleName</key><string>" + name + "</string>";
    if (!displayName.empty())
        body += "<key>CFBundleDisplayName</key><string>" + displayName + "</string>";
    return "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>" + body + "</dict></plist>";
}

} // namespace zn::test
