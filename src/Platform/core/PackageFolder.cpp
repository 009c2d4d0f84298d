#include "Platform/core/PackageFolder.h"

#include "Platform/core/PathText.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zn {

namespace {

constexpr std::array<std::string_view, 10> kPackageExtensions{
    "app", "bundle", "framework", "plugin", "kext", "xpc", "appex", "xcarchive", "photoslibrary", "rtfd",
};

} // namespace

bool isPackageName(const std::string& name) {
    std::string extension = PathText::pathExtension(name);
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    });
    return std::find(kPackageExtensions.begin(), kPackageExtensions.end(), extension) !=
           kPackageExtensions.end();
}

} // namespace zn
