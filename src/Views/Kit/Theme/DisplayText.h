#pragma once

#include "Platform/core/StringFormat.h"

#include <QString>

#include <cstdint>
#include <string_view>
#include <vector>

namespace zn {

// Byte counts in the file style, as every screen shows them.
QString bytesText(std::int64_t bytes);
// One of the program's texts with its "%lld" and "%@" filled in.
QString filledText(std::string_view format, const std::vector<FormatArgument>& arguments);

} // namespace zn
