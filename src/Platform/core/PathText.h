#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Path text operations with the platform's rules. Pure text, except standardizingPath's "/private" test.
namespace zn::PathText {

// Joins with exactly one "/" between the parts (never "//"); an empty base gives the component alone.
std::string appendingPathComponent(std::string_view base, std::string_view component);
// The last component, ignoring trailing "/"; "/" for the root, "" for "".
std::string lastPathComponent(std::string_view path);
// The text after the last "." of the last component, "" when there is none or the name starts with it.
std::string pathExtension(std::string_view path);
// The path without its last component ("/a/b" → "/a", "/a" → "/", "a" → "").
std::string deletingLastPathComponent(std::string_view path);
// The standardised path: a leading "~" (alone or before "/") replaced by `home`, doubled "/" and "."
// components removed, ".." resolved in absolute paths (kept in relative ones), a trailing "/" dropped,
// and a leading "/private" dropped when the shorter path exists. Symbolic links are not resolved.
std::string standardizingPath(std::string_view path, std::string_view home);

// True when `path` equals `directory` or begins with `directory` followed by "/".
bool isSameOrInside(std::string_view path, std::string_view directory);
// True when `path` begins with `directory` followed by "/".
bool isStrictlyInside(std::string_view path, std::string_view directory);
// The longest of `directories` that `path` equals or lies inside, if any: the most specific one.
std::optional<std::string> innermostHolding(std::string_view path, const std::vector<std::string>& directories);

} // namespace zn::PathText
