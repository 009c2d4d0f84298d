#pragma once

#include "Logic/Scanning/AppMatcher.h"
#include "Logic/Scanning/OtherInstalledApps.h"
#include "Logic/Removal/ProtectedPlaces.h"
#include "Logic/Removal/RemovalPolicy.h"

#include <cstddef>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace zn {

// Decides what of one find may be offered for removal. A folder goes whole only when all of it is the
// searched application's and the user's: no entry of another user or on another mount inside it, nothing
// inside that others may write to, nothing the skip tables keep (the system's own entries; the view
// settings file every shown folder holds goes with it), no other installed application's bundle, no entry
// directly inside named as another installed application, and no installed channel of this one that keeps
// its data in the folder too ("Firefox" beside Firefox Nightly, with no "Firefox Nightly" beside it). A
// folder found only for an entry inside it also needs every entry directly inside to be this application's
// ("FileProvider" holds the domains of every file provider). Otherwise only this application's own entries
// inside it are offered, each judged the same way ("Google/Chrome" for Chrome, never "Google" beside Google
// Drive). Nothing is offered that is another user's, named after another installed application, one of the
// protected places (the home, the working directory, the program's folder) or holds one, or that lies in a
// folder where others may rename entries of their own over its name (othersMayReplaceEntriesIn), which no
// removal takes anything out of.
class WholeFolderRule {
public:
    // Whether the finder's skip tables keep an entry, by its key and path.
    using SkipTest = std::function<bool(const std::string& key, const std::string& path)>;
    // Why the finder reported a path.
    enum class Found { itself, forAnEntryInside };

    // `chosenBundle` is the bundle being removed, which is offered on its own terms.
    WholeFolderRule(const AppMatcher& matcher, const OtherInstalledApps& otherApps,
                    const ProtectedPlaces& protectedPlaces, const RemovalPolicy& removal, std::string chosenBundle,
                    SkipTest isKept);

    // Appends to `offered` what may be offered in place of the find `path`.
    void offer(const std::string& path, Found found, std::vector<std::string>& offered) const;

private:
    void offer(const std::string& path, int depth, Found found, std::vector<std::string>& offered) const;
    // Every entry directly inside `folder` is this application's: it matches, and goes whole itself.
    bool holdsOnlyOwnEntries(const std::string& folder, int depth) const;
    // While a channel of this application stays, the `folder` named `key` after the name they share holds
    // the channel's data too, unless the channel has a folder of its own beside it.
    bool isSharedWithAChannel(const std::string& folder, const std::string& key) const;
    bool isKept(const std::string& path, const std::string& name, bool isDirectory) const;
    // `ownLongest` is the longest form of this application that the folder's name contains.
    bool mayGoWhole(const std::string& folder, std::size_t ownLongest) const;
    void offerOwnEntries(const std::string& folder, int depth, std::vector<std::string>& offered) const;

    const AppMatcher& matcher_;
    const OtherInstalledApps& otherApps_;
    const ProtectedPlaces& protectedPlaces_;
    const RemovalPolicy& removal_;
    std::string chosenBundle_;
    SkipTest isKept_;
};

} // namespace zn
