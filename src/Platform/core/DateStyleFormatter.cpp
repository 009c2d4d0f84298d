#include "Platform/core/DateStyleFormatter.h"

#include <memory>

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace zn {

std::string longDateText(Date date, const std::string& localeName) {
    const icu::Locale locale = localeName.empty() ? icu::Locale::getDefault() : icu::Locale(localeName.c_str());
    std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createDateInstance(icu::DateFormat::kLong, locale));
    if (!format)
        return {};
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(date.time_since_epoch()).count();
    icu::UnicodeString text;
    format->format(static_cast<UDate>(milliseconds), text);
    std::string utf8;
    text.toUTF8String(utf8);
    return utf8;
}

} // namespace zn
