#include "Platform/core/VisibleText.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(VisibleText, LineBreaksAndControlsShowAndBidirectionalControlsCannotReorder) {
    EXPECT_EQ(visibleText("Line\nBreak.app"), "Line\u23CEBreak.app");
    EXPECT_EQ(visibleText("a\r\nb\u0085c\u2028d\u2029e"), "a\u23CE\u23CEb\u23CEc\u23CEd\u23CEe");
    EXPECT_EQ(visibleText(std::string("tab\there\0nul\x1b[31m\x7f", 18)),
              "tab\uFFFDhere\uFFFDnul\uFFFD[31m\uFFFD");
    // "gnp.exe.app" behind a right-to-left override would read "ppa.exe.png".
    EXPECT_EQ(visibleText("\u202Egnp.exe.app"), "\uFFFDgnp.exe.app");
    for (const char* control : {"\u202A", "\u202B", "\u202C", "\u202D", "\u2066", "\u2067", "\u2068",
                                "\u2069", "\u200E", "\u200F", "\u061C", "\u0080", "\u009F"})
        EXPECT_EQ(visibleText(std::string("x") + control + "y"), "x\uFFFDy") << control;

    // Everything else stays as it is, other scripts, emoji and bytes that are not UTF-8 included.
    for (const char* kept : {"Screenshot 2024-03-01 at 10.00.png",
                             "caf\u00E9 \u05E9\u05DC\u05D5\u05DD \u0645\u0631\u062D\u0628\u0627",
                             "\u202F\u2060\u2070\U0001F600", "\xC2", "bad\xE2\x80 tail", "\xFF\xFE", ""})
        EXPECT_EQ(visibleText(kept), kept);
}

} // namespace
} // namespace zn
