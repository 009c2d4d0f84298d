#include "App/DisplayAvailability.h"

#include <gtest/gtest.h>
#include <map>

namespace zn {
namespace {

bool canOpenAWindowWith(const std::map<std::string, std::string>& environment) {
    return canOpenAWindow([&](const std::string& name) -> std::optional<std::string> {
        const auto found = environment.find(name);
        return found == environment.end() ? std::nullopt : std::optional<std::string>(found->second);
    });
}

TEST(DisplayAvailability, AWindowNeedsADisplayForThePlatformInUse) {
    EXPECT_FALSE(canOpenAWindowWith({})); // over SSH
    EXPECT_FALSE(canOpenAWindowWith({{"DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}}));
    EXPECT_TRUE(canOpenAWindowWith({{"DISPLAY", ":0"}}));
    EXPECT_TRUE(canOpenAWindowWith({{"WAYLAND_DISPLAY", "wayland-0"}}));

    EXPECT_TRUE(canOpenAWindowWith({{"QT_QPA_PLATFORM", "offscreen"}}));
    EXPECT_TRUE(canOpenAWindowWith({{"QT_QPA_PLATFORM", "vnc:size=800x600"}}));
    EXPECT_FALSE(canOpenAWindowWith({{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-0"}}));
    EXPECT_TRUE(canOpenAWindowWith({{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":1"}}));
    EXPECT_FALSE(canOpenAWindowWith({{"QT_QPA_PLATFORM", "wayland-egl"}, {"DISPLAY", ":1"}}));
    EXPECT_TRUE(canOpenAWindowWith({{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":1"}}));
    EXPECT_FALSE(canOpenAWindowWith({{"QT_QPA_PLATFORM", "wayland;xcb"}}));
}

} // namespace
} // namespace zn
