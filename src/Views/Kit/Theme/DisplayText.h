#pragma once

#include "Platform/core/StringFormat.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zn {

// Byte counts in the file style, as every screen shows them.
QString bytesText(std::int64_t bytes);
// A file's or an application's name or path as every list of things to remove shows it: line breaks and
// other control characters visible, bidirectional controls unable to reorder it (see visibleText).
QString shownText(const std::string& text);
// One of the program's texts with its "%lld" and "%@" filled in.
QString filledText(std::string_view format, const std::vector<FormatArgument>& arguments);

} // namespace zn
