#include "Platform/core/PropertyList.h"
#include "Platform/core/PropertyListShape.h"

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <plist/plist.h>

namespace zn {
namespace {

std::string nestedXmlArrays(std::size_t levels) {
    std::string text = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    for (std::size_t i = 0; i < levels; ++i)
        text += "<array>";
    for (std::size_t i = 0; i < levels; ++i)
        text += "</array>";
    return text + "</plist>";
}

void appendBigEndian(std::string& bytes, std::uint64_t value, int width) {
    for (int shift = (width - 1) * 8; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// A binary list of arrays only, with 4-byte offsets and references: object i holds `children[i]`, and
// object 0 is the top.
std::string binaryArrays(const std::vector<std::vector<std::uint32_t>>& children) {
    std::string bytes = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (const auto& references : children) {
        offsets.push_back(bytes.size());
        bytes.push_back(static_cast<char>(0xAF));
        bytes.push_back(static_cast<char>(0x12)); // the count as a 4-byte integer
        appendBigEndian(bytes, references.size(), 4);
        for (std::uint32_t reference : references)
            appendBigEndian(bytes, reference, 4);
    }
    const std::uint64_t table = bytes.size();
    for (std::uint64_t offset : offsets)
        appendBigEndian(bytes, offset, 4);
    bytes.append(6, '\0');
    bytes.push_back(4);
    bytes.push_back(4);
    appendBigEndian(bytes, children.size(), 8);
    appendBigEndian(bytes, 0, 8);
    appendBigEndian(bytes, table, 8);
    return bytes;
}

// Each array holds the next one `fanOut` times; the last is empty.
std::string binaryChain(std::uint32_t levels, std::size_t fanOut = 1) {
    std::vector<std::vector<std::uint32_t>> children(levels);
    for (std::uint32_t i = 0; i + 1 < levels; ++i)
        children[i].assign(fanOut, i + 1);
    return binaryArrays(children);
}

std::string asBinary(const std::string& xml) {
    plist_t root = nullptr;
    plist_from_xml(xml.data(), static_cast<uint32_t>(xml.size()), &root);
    char* bytes = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &bytes, &length);
    plist_free(root);
    std::string binary(bytes, length);
    std::free(bytes);
    return binary;
}

TEST(PropertyListShape, DeeplyNestedDocumentsAreRefusedWithoutCrashing) {
    // Either form at twenty thousand levels overflowed the stack while being converted.
    EXPECT_FALSE(parsePropertyList(nestedXmlArrays(20'000)));
    EXPECT_FALSE(parsePropertyList(nestedXmlArrays(200'000)));
    EXPECT_FALSE(parsePropertyList(binaryChain(20'000)));
    EXPECT_FALSE(parsePropertyList(binaryChain(200'000)));

    // A few hundred levels are still read, in both forms.
    const auto xml = parsePropertyList(nestedXmlArrays(200));
    ASSERT_TRUE(xml);
    EXPECT_EQ(parsePropertyList(binaryChain(200)), xml);
    EXPECT_EQ(parsePropertyList(asBinary(nestedXmlArrays(200))), xml);
}

TEST(PropertyListShape, MarkupInsideQuotesNeverHidesNesting) {
    // The parser reads a double-quoted text inside a tag, a declaration or a processing instruction as a
    // whole: a comment's start there, or a closing tag, is only text.
    const auto wrapped = [](const std::string& opening, const std::string& closing) {
        std::string text = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
        for (int i = 0; i < 20'000; ++i)
            text += opening;
        for (int i = 0; i < 20'000; ++i)
            text += closing;
        return text + "</plist>";
    };
    EXPECT_FALSE(parsePropertyList(wrapped("<array a=\"<!--\"><array b=\"-->\">", "</array></array>")));
    EXPECT_FALSE(parsePropertyList(wrapped("<array><?pi \"?></array>\"?>", "</array>")));
    EXPECT_FALSE(parsePropertyList(wrapped("<array><!DOCTYPE x \"[\"><array>", "</array></array>")));
    EXPECT_FALSE(parsePropertyList(wrapped("<array></array \"></array>\"><array>", "</array>")));
    EXPECT_FALSE(parsePropertyList(wrapped("<?><array>", "</array>")));
    // A quoted "/>" does not make an element empty, nor a quoted ">" end its tag.
    EXPECT_TRUE(isPropertyListShapeSafe(wrapped("<array a=\"/>\" b=\">\">", "</array>"), 20'001));
    EXPECT_FALSE(isPropertyListShapeSafe(wrapped("<array a=\"/>\" b=\">\">", "</array>"), 20'000));
}

TEST(PropertyListShape, OrdinaryListsPassInBothForms) {
    const std::string xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><!-- <array><array> in a comment --><dict>
<key>CFBundleName</key><string><![CDATA[<array><array>]]></string>
<key>Empty</key><array/>
<key>Types</key><array><dict><key>Role</key><string>Editor</string><key>Same</key><string>x</string></dict>
<dict><key>Role</key><string>Editor</string><key>Same</key><string>x</string></dict></array>
</dict></plist>)";
    const auto parsed = parsePropertyList(xml);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->stringForKey("CFBundleName"), "<array><array>");
    // Shared strings and values are stored once in the binary form; that is no reason to refuse it.
    EXPECT_EQ(parsePropertyList(asBinary(xml)), parsed);
    // plist, dict, array, dict, key: the markup in the comment and the character data does not count.
    EXPECT_TRUE(isPropertyListShapeSafe(xml, 5));
    EXPECT_FALSE(isPropertyListShapeSafe(xml, 4));
}

TEST(PropertyListShape, BinaryGraphsThatCannotBeFollowedOrExplodeAreRefused) {
    // Forty arrays, each holding the next one twice: a few hundred bytes that expand to 2^40 arrays.
    EXPECT_FALSE(parsePropertyList(binaryChain(40, 2)));
    EXPECT_TRUE(isPropertyListShapeSafe(binaryChain(4, 2), 256));
    // A cycle, a reference past the last object, and a trailer that points outside the bytes.
    EXPECT_FALSE(isPropertyListShapeSafe(binaryArrays({{1}, {0}}), 256));
    EXPECT_FALSE(isPropertyListShapeSafe(binaryArrays({{7}}), 256));
    std::string broken = binaryChain(3);
    broken[broken.size() - 1] = '\x7F';
    EXPECT_FALSE(isPropertyListShapeSafe(broken, 256));
    EXPECT_FALSE(parsePropertyList(broken.substr(0, 20)));
}

} // namespace
} // namespace zn
