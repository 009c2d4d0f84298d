#pragma once

#include "Logic/Scanning/AppMatcher.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zn {

// What the other installed applications own, so that the search for one application's leftovers never
// takes another's: their bundles, and entries named more closely after one of them than after the
// application searched for (a "Firefox Nightly" folder is Firefox Nightly's, not Firefox's).
class OtherInstalledApps {
public:
    // `apps` may hold the searched application too, known by its bundle `ownBundle`: it is left out.
    OtherInstalledApps(const std::vector<AppSearchInfo>& apps, const std::string& ownBundle);

    // `path` is another application's bundle, lies inside one, or holds one.
    bool touchesBundle(const std::string& path) const;
    // `key` contains an identifier or name form of another application that is longer than `ownLongest`,
    // the longest form of the searched application it contains.
    bool claim(std::string_view key, std::size_t ownLongest) const;

private:
    // Each bundle as written and with its links resolved.
    std::vector<std::string> bundles_;
    // Every form long enough to be matched by, with its length in characters, longest first.
    std::vector<std::pair<std::size_t, std::string>> forms_;
};

} // namespace zn
