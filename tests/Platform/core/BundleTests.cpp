#include "Platform/core/Bundle.h"
#include "Platform/core/PropertyList.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(Bundle, EmbeddedInfoPlist) {
    EXPECT_EQ(Bundle::bundleIdentifier(), "com.zelvanexal.app");
    EXPECT_EQ(Bundle::stringForInfoKey("CFBundleName"), "Zelva Nexal");
    EXPECT_EQ(Bundle::stringForInfoKey("CFBundleDisplayName"), "Zelva Nexal");
    auto version = Bundle::stringForInfoKey("CFBundleShortVersionString");
    ASSERT_TRUE(version);
    EXPECT_FALSE(version->empty());
    EXPECT_EQ(Bundle::stringForInfoKey("SUFeedURL"), std::nullopt);
}

TEST(PropertyList, XmlValuesAndIntegerRange) {
    auto parsed = parsePropertyList(R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>Name</key><string>Foo</string>
<key>Big</key><integer>18446744073709551615</integer>
<key>Negative</key><integer>-5</integer>
<key>Size</key><integer>123456789012</integer>
<key>List</key><array><integer>1</integer><true/></array>
</dict></plist>)");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->stringForKey("Name"), "Foo");
    EXPECT_EQ(parsed->stringForKey("Size"), std::nullopt);
    ASSERT_TRUE(parsed->find("Size")->integer());
    EXPECT_EQ(*parsed->find("Size")->integer(), 123456789012);
    EXPECT_EQ(parsed->find("Big")->integer(), nullptr);
    ASSERT_TRUE(parsed->find("Negative")->integer());
    EXPECT_EQ(*parsed->find("Negative")->integer(), -5);
    ASSERT_TRUE(parsed->find("List")->array());
    EXPECT_EQ(parsed->find("List")->array()->size(), 2u);

    EXPECT_FALSE(parsePropertyList("not a plist at all"));
    EXPECT_FALSE(parsePropertyList(""));
}

} // namespace
} // namespace zn
