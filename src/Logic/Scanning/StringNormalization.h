#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The name forms the leftover searches compare. Every function takes and returns UTF-8 text; invalid
// byte sequences count as U+FFFD.
namespace zn {

// Full Unicode lower-casing (root locale), so that names in any script compare alike.
std::string lowercased(std::string_view text);

// The characters that keep a name's words apart; matching keys drop them.
bool isWordSeparator(char c);

// The one matching key for names on disk: lower-cased, then every " ", "-", "_" and "." removed.
// Digits, other punctuation, tabs and non-ASCII letters stay.
std::string normalizedForMatching(std::string_view text);

// The "."-separated components of a bundle identifier, empty ones kept ("a..b" → "a", "", "b").
std::vector<std::string_view> componentsSeparatedByDots(std::string_view text);

// The last two "."-separated components of a bundle identifier, lower-cased and joined with nothing
// ("com.google.Chrome" → "googlechrome"); components that are exactly "-" do not count.
std::string bundleLastTwoComponents(std::string_view bundleIdentifier);

// The letters of any script, in order, lower-cased ("1Password 7" → "password").
std::string lettersOnly(std::string_view appName);

// The vendor of a three-component identifier, normalised ("com.spotify.client" → "spotify").
std::optional<std::string> bundleCompanyName(std::string_view bundleIdentifier);

// The identifier without a trailing role word such as "Helper" or "XPC", when it has four or more
// components ("com.foo.app.Helper" → "com.foo.app"); the other components keep their case.
std::optional<std::string> baseBundleIdentifier(std::string_view bundleIdentifier);

// The name without a version number after white space at its end ("Foo App 10.2.1" → "Foo App").
std::string strippingTrailingVersion(std::string_view appName);

// The number of user-perceived characters (grapheme clusters), never bytes: "at least N characters"
// must mean the same for a CJK name as for a Latin one.
std::size_t characterCount(std::string_view text);

} // namespace zn
