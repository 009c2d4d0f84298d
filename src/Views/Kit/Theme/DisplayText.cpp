#include "Views/Kit/Theme/DisplayText.h"

#include "Platform/core/ByteCountFormatter.h"

namespace zn {

QString bytesText(std::int64_t bytes) {
    return QString::fromStdString(formatByteCount(bytes));
}

QString filledText(std::string_view format, const std::vector<FormatArgument>& arguments) {
    return QString::fromStdString(formatString(format, arguments));
}

} // namespace zn
