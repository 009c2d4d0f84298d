#include "support/BinaryPropertyList.h"

namespace zn::test {

namespace {

void appendBigEndian(std::string& bytes, std::uint64_t value, int width) {
    for (int shift = (width - 1) * 8; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// A marker with the "count follows" nibble, then the count as a four-byte integer object.
std::string header(unsigned kind, std::size_t count) {
    std::string bytes(1, static_cast<char>((kind << 4) | 0xF));
    bytes.push_back(static_cast<char>(0x12));
    appendBigEndian(bytes, count, 4);
    return bytes;
}

} // namespace

std::string binaryArrayObject(const std::vector<std::uint32_t>& references) {
    std::string bytes = header(0xA, references.size());
    for (std::uint32_t reference : references)
        appendBigEndian(bytes, reference, 4);
    return bytes;
}

std::string binaryDictionaryObject(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& entries) {
    std::string bytes = header(0xD, entries.size());
    for (const auto& entry : entries)
        appendBigEndian(bytes, entry.first, 4);
    for (const auto& entry : entries)
        appendBigEndian(bytes, entry.second, 4);
    return bytes;
}

std::string binaryStringObject(std::string_view ascii) {
    return header(0x5, ascii.size()) + std::string(ascii);
}

std::string binaryUtf16StringObject(std::u16string_view text) {
    std::string bytes = header(0x6, text.size());
    for (char16_t unit : text)
        appendBigEndian(bytes, unit, 2);
    return bytes;
}

std::string binaryDataObject(std::size_t length) {
    return header(0x4, length) + std::string(length, '\xA5');
}

std::string binaryIntegerObject(std::int64_t value) {
    std::string bytes(1, '\x13');
    appendBigEndian(bytes, static_cast<std::uint64_t>(value), 8);
    return bytes;
}

std::string binaryWideIntegerObject(std::uint64_t high, std::uint64_t low) {
    std::string bytes(1, '\x14');
    appendBigEndian(bytes, high, 8);
    appendBigEndian(bytes, low, 8);
    return bytes;
}

std::string binaryPropertyList(const std::vector<std::string>& objects) {
    std::string bytes = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (const auto& object : objects) {
        offsets.push_back(bytes.size());
        bytes += object;
    }
    const std::uint64_t table = bytes.size();
    for (std::uint64_t offset : offsets)
        appendBigEndian(bytes, offset, 4);
    bytes.append(6, '\0');
    bytes.push_back(4); // offset size
    bytes.push_back(4); // reference size
    appendBigEndian(bytes, objects.size(), 8);
    appendBigEndian(bytes, 0, 8); // the top object
    appendBigEndian(bytes, table, 8);
    return bytes;
}

std::vector<std::string> chainsThroughSharedObjects(std::uint32_t chains, std::uint32_t length) {
    const auto start = [length](std::uint32_t chain) { return 1 + (chain - 1) * length; };
    std::vector<std::uint32_t> starts;
    for (std::uint32_t chain = 1; chain <= chains; ++chain)
        starts.push_back(start(chain));
    std::vector<std::string> objects{binaryArrayObject(starts)};
    for (std::uint32_t chain = 1; chain <= chains; ++chain) {
        for (std::uint32_t link = 0; link + 1 < length; ++link)
            objects.push_back(binaryArrayObject({start(chain) + link + 1}));
        objects.push_back(chain == 1 ? binaryArrayObject({}) : binaryArrayObject({start(chain - 1)}));
    }
    return objects;
}

} // namespace zn::test
