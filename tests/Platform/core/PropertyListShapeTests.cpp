#include "Platform/core/PropertyList.h"
#include "Platform/core/PropertyListShape.h"
#include "support/BinaryPropertyList.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <plist/plist.h>
#include <time.h>

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

// A binary list of arrays only: object i holds `children[i]`, and object 0 is the top.
std::string binaryArrays(const std::vector<std::vector<std::uint32_t>>& children) {
    std::vector<std::string> objects;
    for (const auto& references : children)
        objects.push_back(test::binaryArrayObject(references));
    return test::binaryPropertyList(objects);
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
    EXPECT_TRUE(
        isPropertyListShapeSafe(wrapped("<array a=\"/>\" b=\">\">", "</array>"), {.nesting = 20'001}));
    EXPECT_FALSE(
        isPropertyListShapeSafe(wrapped("<array a=\"/>\" b=\">\">", "</array>"), {.nesting = 20'000}));
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
    EXPECT_TRUE(isPropertyListShapeSafe(xml, {.nesting = 5}));
    EXPECT_FALSE(isPropertyListShapeSafe(xml, {.nesting = 4}));
}

TEST(PropertyListShape, BinaryGraphsThatCannotBeFollowedOrExplodeAreRefused) {
    // Forty arrays, each holding the next one twice: a few hundred bytes that expand to 2^40 arrays.
    EXPECT_FALSE(parsePropertyList(binaryChain(40, 2)));
    EXPECT_TRUE(isPropertyListShapeSafe(binaryChain(4, 2)));
    // A cycle, a reference past the last object, and a trailer that points outside the bytes.
    EXPECT_FALSE(isPropertyListShapeSafe(binaryArrays({{1}, {0}})));
    EXPECT_FALSE(isPropertyListShapeSafe(binaryArrays({{7}})));
    std::string broken = binaryChain(3);
    broken[broken.size() - 1] = '\x7F';
    EXPECT_FALSE(isPropertyListShapeSafe(broken));
    EXPECT_FALSE(parsePropertyList(broken.substr(0, 20)));
}

std::size_t levels(const PlistValue& value) {
    std::size_t deepest = 0;
    if (const auto* items = value.array())
        for (const auto& item : *items)
            deepest = std::max(deepest, levels(item));
    if (const auto* entries = value.dictionary())
        for (const auto& entry : *entries)
            deepest = std::max(deepest, levels(entry.second));
    return deepest + 1;
}

TEST(PropertyListShape, XmlNestingCountsAsTheParserBuilds) {
    // An empty element is a level of its own, and the parser hangs every later top-level value under a
    // first one that is empty: 256 levels of markup, 257 of values. The "plist" element counts too.
    std::string text = "<?xml version=\"1.0\"?><plist version=\"1.0\"><array/>";
    for (int i = 0; i < 255; ++i)
        text += "<array>";
    text += "<array/>";
    for (int i = 0; i < 255; ++i)
        text += "</array>";
    text += "</plist>";
    EXPECT_FALSE(parsePropertyList(text));
    ASSERT_TRUE(isPropertyListShapeSafe(text, {.nesting = 258}));
    EXPECT_FALSE(isPropertyListShapeSafe(text, {.nesting = 257}));

    // The levels the parser builds, and one for the "plist" element, for shapes an empty element takes.
    for (const std::string body :
         {"<array><array><array/></array></array>", "<array/><array><array/></array>",
          "<array/><array/><array><true/></array>", "<dict/><key>k</key><array><array/></array>",
          "<array><string/><array><integer>1</integer></array></array>"}) {
        const std::string list = "<?xml version=\"1.0\"?><plist version=\"1.0\">" + body + "</plist>";
        const auto read = parsePropertyList(list);
        ASSERT_TRUE(read) << body;
        const std::size_t built = levels(*read);
        EXPECT_TRUE(isPropertyListShapeSafe(list, {.nesting = built + 1})) << body;
        EXPECT_FALSE(isPropertyListShapeSafe(list, {.nesting = built})) << body;
    }
}

TEST(PropertyListShape, NestingCountsThroughSharedObjectsAtEveryUse) {
    // A hundred chains of 250 arrays, each ending in the chain before: the top reaches 25,001 levels.
    // Its 1.3 million values are too many as well; the nesting alone turns it away.
    const std::string deep = test::binaryPropertyList(test::chainsThroughSharedObjects(100, 250));
    ASSERT_FALSE(isPropertyListShapeSafe(deep, {.nodes = 100'000'000}));
    EXPECT_FALSE(parsePropertyList(deep));
    EXPECT_FALSE(isPropertyListShapeSafe(test::binaryPropertyList(test::chainsThroughSharedObjects(2, 200))));

    // The same shape at a depth real lists may have is read, every level of it.
    const std::string shallow = test::binaryPropertyList(test::chainsThroughSharedObjects(3, 50));
    EXPECT_TRUE(isPropertyListShapeSafe(shallow, {.nesting = 151}));
    EXPECT_FALSE(isPropertyListShapeSafe(shallow, {.nesting = 150}));
    const auto parsed = parsePropertyList(shallow);
    ASSERT_TRUE(parsed && parsed->array());
    EXPECT_EQ(parsed->array()->size(), 3u);
    EXPECT_EQ(levels(*parsed), 151u);
}

std::string xmlArrayOfTrues(std::size_t count) {
    std::string text = "<?xml version=\"1.0\"?><plist version=\"1.0\"><array>";
    for (std::size_t i = 0; i < count; ++i)
        text += "<true/>";
    return text + "</array></plist>";
}

TEST(PropertyListShape, ValuesPastAFixedBudgetAreRefusedWhateverTheFileSize) {
    // Four megabytes of references to one string: a million values, fewer than the list has bytes.
    const std::string wide = test::binaryPropertyList(
        {test::binaryArrayObject(std::vector<std::uint32_t>(1'000'000, 1)), test::binaryStringObject("x")});
    EXPECT_FALSE(parsePropertyList(wide));
    // 2,050 uses of an array of 2,048 uses of one string, padded to 4.3 MB: 4.2 million values.
    std::vector<std::uint32_t> top(2'050, 1);
    top.push_back(3);
    const std::string padded = test::binaryPropertyList(
        {test::binaryArrayObject(top), test::binaryArrayObject(std::vector<std::uint32_t>(2'048, 2)),
         test::binaryStringObject("x"), test::binaryDataObject(4'300'000)});
    EXPECT_FALSE(parsePropertyList(padded));
    EXPECT_FALSE(parsePropertyList(xmlArrayOfTrues(250'000)));

    // Every value counts once per use, dictionary keys among them, in both forms.
    const auto sharedString = [](std::size_t uses) {
        return test::binaryPropertyList(
            {test::binaryArrayObject(std::vector<std::uint32_t>(uses, 1)), test::binaryStringObject("x")});
    };
    EXPECT_TRUE(isPropertyListShapeSafe(sharedString(999), {.nodes = 1'000}));
    EXPECT_FALSE(isPropertyListShapeSafe(sharedString(1'000), {.nodes = 1'000}));
    const std::string dictionary =
        test::binaryPropertyList({test::binaryDictionaryObject({{1, 2}, {2, 1}}),
                                  test::binaryStringObject("k"), test::binaryStringObject("v")});
    EXPECT_TRUE(isPropertyListShapeSafe(dictionary, {.nodes = 5}));
    EXPECT_FALSE(isPropertyListShapeSafe(dictionary, {.nodes = 4}));
    EXPECT_TRUE(isPropertyListShapeSafe(xmlArrayOfTrues(998), {.nodes = 1'000})); // plist, array, trues
    EXPECT_FALSE(isPropertyListShapeSafe(xmlArrayOfTrues(999), {.nodes = 1'000}));
}

std::string sharedObject(const std::string& object, std::size_t uses) {
    return test::binaryPropertyList({test::binaryArrayObject(std::vector<std::uint32_t>(uses, 1)), object});
}

TEST(PropertyListShape, StringsAndDataCountAtEveryUseAgainstAFixedBudget) {
    // 99,000 uses of one 4 KB object: 400 KB that the parser would copy into 400 MB, the UTF-16 string
    // into 800 MB of UTF-8.
    const std::string ascii = test::binaryStringObject(std::string(4'096, 's'));
    const std::string data = test::binaryDataObject(4'096);
    const std::string utf16 = test::binaryUtf16StringObject(std::u16string(4'096, u'\u00E9'));
    for (const std::string* object : {&ascii, &data, &utf16})
        EXPECT_FALSE(parsePropertyList(sharedObject(*object, 99'000)));
    // A few uses are read, each a whole copy.
    const auto few = parsePropertyList(sharedObject(utf16, 3));
    ASSERT_TRUE(few && few->array() && few->array()->size() == 3u);
    std::string accents;
    for (int i = 0; i < 4'096; ++i)
        accents += "\u00E9";
    EXPECT_EQ(few->array()->back(), PlistValue{accents});

    // Each use counts its bytes, a UTF-16 unit as three, a dictionary's keys among them.
    EXPECT_TRUE(isPropertyListShapeSafe(sharedObject(test::binaryStringObject(std::string(100, 's')), 10),
                                        {.textBytes = 1'000}));
    EXPECT_FALSE(isPropertyListShapeSafe(sharedObject(test::binaryStringObject(std::string(100, 's')), 10),
                                         {.textBytes = 999}));
    EXPECT_TRUE(isPropertyListShapeSafe(sharedObject(test::binaryDataObject(100), 10), {.textBytes = 1'000}));
    EXPECT_FALSE(isPropertyListShapeSafe(sharedObject(test::binaryDataObject(100), 10), {.textBytes = 999}));
    const std::string units = sharedObject(test::binaryUtf16StringObject(std::u16string(100, u'x')), 10);
    EXPECT_TRUE(isPropertyListShapeSafe(units, {.textBytes = 3'000}));
    EXPECT_FALSE(isPropertyListShapeSafe(units, {.textBytes = 2'999}));
    const std::string dictionary =
        test::binaryPropertyList({test::binaryDictionaryObject({{1, 2}, {2, 1}}),
                                  test::binaryStringObject("key"), test::binaryStringObject("value")});
    EXPECT_TRUE(isPropertyListShapeSafe(dictionary, {.textBytes = 16}));
    EXPECT_FALSE(isPropertyListShapeSafe(dictionary, {.textBytes = 15}));
    // One object past the budget is refused alone, and so is one whose length runs past the objects.
    EXPECT_FALSE(isPropertyListShapeSafe(test::binaryPropertyList({test::binaryDataObject(1'001)}),
                                         {.textBytes = 1'000}));
    std::string overlong = test::binaryPropertyList({test::binaryStringObject("abc")});
    overlong[overlong.find("abc") - 1] = '\x40';
    EXPECT_FALSE(isPropertyListShapeSafe(overlong));

    // An XML list counts all its character data, character data sections whole.
    const std::string xml = "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>" +
                            std::string(1'000, 'x') + "</string>\n<string><![CDATA[" + std::string(500, 'y') +
                            "]]></string></array></plist>";
    EXPECT_TRUE(isPropertyListShapeSafe(xml, {.textBytes = 1'513}));
    EXPECT_FALSE(isPropertyListShapeSafe(xml, {.textBytes = 1'512}));
    const auto xmlText = [](std::size_t length) {
        return "<?xml version=\"1.0\"?><plist version=\"1.0\"><string>" + std::string(length, 'x') +
               "</string></plist>";
    };
    EXPECT_FALSE(parsePropertyList(xmlText(5'000'000)));
    // Within the budget, a value larger than any an Info.plist holds is still read in either form.
    const auto large = parsePropertyList(xmlText(3'000'000));
    ASSERT_TRUE(large && large->string());
    EXPECT_EQ(parsePropertyList(asBinary(xmlText(3'000'000))), large);
}

std::string repeated(std::string_view piece, std::size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(PropertyListShape, XmlReferencesCountTimesTheirTextsLengthAgainstAFixedBudget) {
    const std::string head = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    // The parser moves the rest of a text back for each reference: 200,000 in one 1 MB string took seconds.
    EXPECT_FALSE(parsePropertyList(head + "<string>" + repeated("&amp;", 200'000) + "</string></plist>"));
    EXPECT_FALSE(parsePropertyList(head + "<string>" + repeated("&lt;", 50'000) + "</string></plist>"));
    EXPECT_FALSE(parsePropertyList(head + "<string>" + repeated("&#65;", 50'000) + "</string></plist>"));
    EXPECT_FALSE(
        parsePropertyList(head + "<dict><key>" + repeated("&amp;", 50'000) + "</key><true/></dict></plist>"));
    // A few references in a long text, or many in short ones, are read.
    const auto few = parsePropertyList(head + "<string>" + repeated("&lt;&#65;&gt;", 60) +
                                       std::string(1'000'000, 'x') + "</string></plist>");
    ASSERT_TRUE(few && few->string());
    EXPECT_EQ(few->string()->substr(0, 6), "<A><A>");
    EXPECT_TRUE(parsePropertyList(head + "<array>" + repeated("<string>&amp;&amp;</string>", 50'000) +
                                  "</array></plist>"));

    // A string or key counts its references times the bytes of its text, character data sections whole;
    // the list counts the sum. References in character data sections, comments and tags do not count.
    const std::string one = "<string>" + repeated("&amp;", 10) + std::string(50, 'x') + "</string>";
    const auto list = [&](const std::string& body) { return head + "<array>" + body + "</array></plist>"; };
    EXPECT_TRUE(isPropertyListShapeSafe(list(one), {.referenceWork = 1'000}));
    EXPECT_FALSE(isPropertyListShapeSafe(list(one), {.referenceWork = 999}));
    const std::string key =
        "<dict><key>" + repeated("&amp;", 10) + std::string(50, 'x') + "</key><true/></dict>";
    EXPECT_TRUE(isPropertyListShapeSafe(list(key), {.referenceWork = 1'000}));
    EXPECT_FALSE(isPropertyListShapeSafe(list(key), {.referenceWork = 999}));
    EXPECT_TRUE(isPropertyListShapeSafe(list(one + one), {.referenceWork = 2'000}));
    EXPECT_FALSE(isPropertyListShapeSafe(list(one + one), {.referenceWork = 1'999}));
    const std::string split = "<string>" + repeated("&amp;", 5) + "<!-- & -->" + repeated("&amp;", 5) +
                              "<![CDATA[&&&]]>" + std::string(35, 'x') + "</string>";
    EXPECT_TRUE(isPropertyListShapeSafe(list(split), {.referenceWork = 1'000}));
    EXPECT_FALSE(isPropertyListShapeSafe(list(split), {.referenceWork = 999}));
    EXPECT_TRUE(isPropertyListShapeSafe(list("<string a=\"&amp;\"><![CDATA[&amp;]]></string>"),
                                        {.referenceWork = 0}));
}

// The processor time `read` takes on this thread, which other work on the machine does not inflate.
double threadSecondsFor(const std::function<void()>& read) {
    const auto now = [] {
        timespec time{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
    };
    const double started = now();
    read();
    return now() - started;
}

TEST(PropertyListShape, LargeArraysWithinTheBudgetAreReadInOrder) {
    const std::vector<std::string> strings{test::binaryStringObject("a"), test::binaryStringObject("b"),
                                           test::binaryStringObject("c")};
    std::vector<std::uint32_t> references;
    for (std::uint32_t i = 0; i < 99'000; ++i)
        references.push_back(1 + i % 3);
    std::vector<std::string> objects{test::binaryArrayObject(references)};
    objects.insert(objects.end(), strings.begin(), strings.end());
    const std::string list = test::binaryPropertyList(objects);
    // The same values as 330 arrays of 300: what reading them costs where no array is long.
    std::vector<std::uint32_t> arrays;
    for (std::uint32_t i = 0; i < 330; ++i)
        arrays.push_back(4 + i);
    std::vector<std::string> spreadObjects{test::binaryArrayObject(arrays)};
    spreadObjects.insert(spreadObjects.end(), strings.begin(), strings.end());
    spreadObjects.resize(spreadObjects.size() + arrays.size(),
                         test::binaryArrayObject({references.begin(), references.begin() + 300}));
    const std::string spread = test::binaryPropertyList(spreadObjects);

    std::optional<PlistValue> parsed;
    const double shortArrays = threadSecondsFor([&] { ASSERT_TRUE(parsePropertyList(spread)); });
    const double longArray = threadSecondsFor([&] { parsed = parsePropertyList(list); });
    // Linear: the one long array costs what the short ones do. Reaching each item by its index from the
    // first one took eighteen times as long built with the address checker, thousands of times without.
    EXPECT_LT(longArray, 3 * shortArrays + 0.05) << shortArrays;
    ASSERT_TRUE(parsed && parsed->array());
    const PlistValue::Array& items = *parsed->array();
    ASSERT_EQ(items.size(), references.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string* text = items[i].string();
        ASSERT_TRUE(text && *text == std::string(1, static_cast<char>('a' + i % 3))) << i;
    }
}

} // namespace
} // namespace zn
