#include "Platform/core/PropertyList.h"
#include "support/BinaryPropertyList.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace zn {
namespace {

using namespace std::string_literals;

const std::string kXmlHead = "<?xml version=\"1.0\"?><plist version=\"1.0\">";

std::string binaryNameList(const std::string& keyObject, const std::string& valueObject) {
    return test::binaryPropertyList({test::binaryDictionaryObject({{1, 2}}), keyObject, valueObject});
}

TEST(PropertyList, AStringOrKeyHoldingNulRefusesTheWholeList) {
    // libplist aborts the process when asked for such a string or key as a C string, and has no other way
    // to hand back a key: each list is refused whole, never read up to its NUL.
    const std::string name = test::binaryStringObject("CFBundleName");
    EXPECT_FALSE(parsePropertyList(binaryNameList(name, test::binaryUtf16StringObject(u"App\0"s))));
    EXPECT_FALSE(parsePropertyList(binaryNameList(test::binaryUtf16StringObject(u"Key\0"s), name)));
    EXPECT_FALSE(parsePropertyList(binaryNameList(name, test::binaryStringObject("App\0"s))));
    EXPECT_FALSE(
        parsePropertyList(kXmlHead + "<dict><key>CFBundleName</key><string>App\0</string></dict></plist>"s));
    EXPECT_FALSE(parsePropertyList(kXmlHead + "<dict><key>Key\0</key><string>App</string></dict></plist>"s));
    EXPECT_FALSE(parsePropertyList(kXmlHead + "<string><![CDATA[A\0B]]></string></plist>"s));
    // A character reference to U+0000 is refused by libplist itself.
    EXPECT_FALSE(parsePropertyList(kXmlHead + "<string>App&#0;</string></plist>"));

    // Zero bytes in data are no text, and a string without a NUL is read whole.
    const auto data = parsePropertyList(binaryNameList(name, "\x43"s + "\0\0\0"s));
    ASSERT_TRUE(data);
    EXPECT_EQ(*data->find("CFBundleName"), PlistValue{PlistValue::Data(3, 0)});
    const auto read = parsePropertyList(binaryNameList(name, test::binaryUtf16StringObject(u"A\u0100p")));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->stringForKey("CFBundleName"), "A\u0100p");
}

PlistValue integer(std::int64_t value) {
    return PlistValue{value};
}
const PlistValue kPastTheRange{PlistValue::OutOfRangeInteger{}};

TEST(PropertyList, IntegersPastSixtyFourBitsKeepOnlyTheMark) {
    const auto xml = [](const std::string& text) {
        const auto parsed = parsePropertyList(kXmlHead + "<integer>" + text + "</integer></plist>");
        return parsed ? *parsed : PlistValue{};
    };
    const std::int64_t smallest = std::numeric_limits<std::int64_t>::min();
    const std::int64_t largest = std::numeric_limits<std::int64_t>::max();
    // libplist negated these modulo 2^64: 1, the largest value, 1.
    EXPECT_EQ(xml("-18446744073709551615"), kPastTheRange);
    EXPECT_EQ(xml("-9223372036854775809"), kPastTheRange);
    EXPECT_EQ(xml("-99999999999999999999"), kPastTheRange);
    // However the text is laid out, in whatever base.
    EXPECT_EQ(xml("\n\t-9223372036854775809\n"), kPastTheRange);
    EXPECT_EQ(xml("-1<!-- split -->8446744073709551615"), kPastTheRange);
    EXPECT_EQ(xml("<![CDATA[-18446744073709551615]]>"), kPastTheRange);
    EXPECT_EQ(xml("-0x8000000000000001"), kPastTheRange);
    EXPECT_EQ(xml("--18446744073709551615"), kPastTheRange);
    EXPECT_EQ(xml("9223372036854775808"), kPastTheRange);
    EXPECT_EQ(xml("18446744073709551616"), kPastTheRange);
    // Within the range, up to both ends.
    EXPECT_EQ(xml("-9223372036854775808"), integer(smallest));
    EXPECT_EQ(xml("-0x8000000000000000"), integer(smallest));
    EXPECT_EQ(xml("9223372036854775807"), integer(largest));
    EXPECT_EQ(xml(" -5 "), integer(-5));
    EXPECT_EQ(xml("+42"), integer(42));
    // Only an integer's text: the same digits in a string stay as they are.
    const auto text =
        parsePropertyList(kXmlHead + "<array><string>-18446744073709551615</string>"
                                     "<string><![CDATA[<integer>-18446744073709551615]]></string>"
                                     "</array></plist>");
    ASSERT_TRUE(text && text->array() && text->array()->size() == 2u);
    EXPECT_EQ(text->array()->front(), PlistValue{"-18446744073709551615"s});
    EXPECT_EQ(text->array()->back(), PlistValue{"<integer>-18446744073709551615"s});

    // A binary 16-byte integer is 128 bits wide; libplist kept its low half alone, so 2^64 read as 0.
    const auto binary = [](std::uint64_t high, std::uint64_t low) {
        const auto parsed = parsePropertyList(test::binaryPropertyList(
            {test::binaryArrayObject({1}), test::binaryWideIntegerObject(high, low)}));
        return parsed && parsed->array() ? parsed->array()->front() : PlistValue{};
    };
    const std::uint64_t ones = ~std::uint64_t{0};
    const std::uint64_t signBit = std::uint64_t{1} << 63;
    EXPECT_EQ(binary(1, 0), kPastTheRange);
    EXPECT_EQ(binary(0, signBit), kPastTheRange);
    EXPECT_EQ(binary(ones, signBit - 1), kPastTheRange);
    EXPECT_EQ(binary(0x1234, 5), kPastTheRange);
    EXPECT_EQ(binary(0, 5), integer(5));
    EXPECT_EQ(binary(0, signBit - 1), integer(largest));
    EXPECT_EQ(binary(ones, ones), integer(-1));
    EXPECT_EQ(binary(ones, signBit), integer(smallest));
    // An 8-byte integer is signed and always fits.
    const auto eight = parsePropertyList(
        test::binaryPropertyList({test::binaryArrayObject({1, 2}), test::binaryIntegerObject(-1),
                                  test::binaryIntegerObject(smallest)}));
    ASSERT_TRUE(eight);
    const PlistValue::Array both{integer(-1), integer(smallest)};
    EXPECT_EQ(*eight, PlistValue{both});
}

} // namespace
} // namespace zn
