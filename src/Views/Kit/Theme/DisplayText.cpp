#include "Views/Kit/Theme/DisplayText.h"

#include "Platform/core/ByteCountFormatter.h"
#include "Platform/core/VisibleText.h"

namespace zn {

QString bytesText(std::int64_t bytes) {
    return QString::fromStdString(formatByteCount(bytes));
}

QString shownText(const std::string& text) {
    return QString::fromStdString(visibleText(text));
}

QString filledText(std::string_view format, const std::vector<FormatArgument>& arguments) {
    return QString::fromStdString(formatString(format, arguments));
}

} // namespace zn
