#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace zn {

// The current user's home folder, taken once per process: no trailing "/", symbolic links resolved.
// Every home-relative path of the leftover searches is this value followed by a suffix beginning with "/".
const std::string& home();

// Where the leftover searches look. Built fresh for every search, so that each one sees the current
// contents of "Application Support" and the current environment.
class Locations {
public:
    struct SearchCategory {
        std::string name;
        // Absolute paths in their fixed order, neither de-duplicated nor filtered: an empty entry stays.
        std::vector<std::string> paths;
        bool operator==(const SearchCategory&) const = default;
    };

    // The folders the lists are built from. Tests point them into a fixture tree.
    struct Roots {
        std::string home;
        // Prefixed to every system-wide folder ("/Library", "/Applications", ...); empty for the real ones.
        std::string systemRoot;
        std::string cacheDir;
        std::string tempDir;
        // $XDG_DATA_HOME, which places the home Trash; none means home + "/.local/share".
        std::optional<std::string> dataHome = std::nullopt;
        // The process's home and $XDG_DATA_HOME, the real system folders and darwinCT()'s answers.
        static Roots current();
    };

    // Entries 1 to 59 of appSearch are fixed; the folders of "Application Support" follow them.
    static constexpr std::size_t kFixedAppSearchPathCount = 59;
    static constexpr std::size_t kReverseSearchPathCount = 22;

    Locations();
    explicit Locations(Roots roots);

    const Roots& roots() const { return roots_; }
    const std::string& cacheDir() const { return roots_.cacheDir; }
    const std::string& tempDir() const { return roots_.tempDir; }

    SearchCategory appSearch;
    SearchCategory reverseSearch;

    // The user's caches folder and the raw value of TMPDIR (empty when unset).
    static std::pair<std::string, std::string> darwinCT();
    // The names of the folders directly inside `home` + "/Library/Application Support", in listing order;
    // links to folders count as folders.
    static std::vector<std::string> listAppSupportDirectories(const std::string& home = zn::home());
    // The 18 standard folder names of a Library folder, compared exactly.
    static const std::set<std::string>& standardLibrarySubdirectories();

private:
    Roots roots_;
};

} // namespace zn
