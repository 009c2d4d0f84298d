#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zn::test {

// Binary property lists written byte by byte, for shapes no writer produces: objects shared by many
// holders, references in any order. Every count, offset and reference takes four bytes.
std::string binaryArrayObject(const std::vector<std::uint32_t>& references);
// Each entry is a key's object and its value's object.
std::string binaryDictionaryObject(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& entries);
std::string binaryStringObject(std::string_view ascii);
std::string binaryUtf16StringObject(std::u16string_view text);
std::string binaryDataObject(std::size_t length);
// An 8-byte integer, and a 16-byte one given as its high and low halves.
std::string binaryIntegerObject(std::int64_t value);
std::string binaryWideIntegerObject(std::uint64_t high, std::uint64_t low);
// The whole list: the objects in order, their offsets and the trailer; object 0 is the top.
std::string binaryPropertyList(const std::vector<std::string>& objects);

// Object 0 holds H1...Hk; each Hi starts a chain of `length` one-element arrays whose last one holds
// H(i-1) (H1's last holds nothing). A walk that looks at each object once never sees more than
// `length` + 1 levels, yet the top reaches 1 + `chains` * `length` levels down.
std::vector<std::string> chainsThroughSharedObjects(std::uint32_t chains, std::uint32_t length);

} // namespace zn::test
