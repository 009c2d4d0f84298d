#pragma once

#include <array>
#include <string>

// A home folder of many small files laid out as the scanners expect it, for the benchmarks.
namespace zn::bench {

struct Area {
    const char* path; // relative to the home folder
    int weight;       // share of the folders left after the package-tool caches
};

// Folders the scanners list entry by entry (sizing each entry), and the large-file scanner's roots, which
// it walks to the end.
inline constexpr std::array<Area, 6> kAreas{{
    {"Library/Caches", 35},
    {"Library/Logs", 10},
    {".local/share/Trash/files", 15},
    {"Library/Mail Downloads", 10},
    {"Documents", 20},
    {"Downloads", 10},
}};

// Package-tool caches the user cache scanner sizes as one item each.
inline constexpr std::array<const char*, 4> kPackageToolCaches{".npm/_cacache", ".cache/pip", ".cache/yarn",
                                                               ".cache/pnpm"};

// Thrown, not exited, so that the synthetic home is removed on the way out.
[[noreturn]] void fail(const std::string& what);

// A new folder at `root`, removed when this goes away, with its parent when this made that and it is left
// empty. A `root` that already exists is refused.
class SyntheticHome {
public:
    SyntheticHome(std::string root, long filesPerFolder);
    ~SyntheticHome();
    SyntheticHome(const SyntheticHome&) = delete;
    SyntheticHome& operator=(const SyntheticHome&) = delete;

    const std::string& root() const { return root_; }
    long files() const { return files_; }
    long folders() const { return folders_; }

    // A folder holding filesPerFolder files of assorted sizes (sparse: sizes cost no disk blocks).
    void folderWithFiles(const std::string& path);
    // One file of an assorted size above `atLeast` bytes, sparse, in a folder that exists.
    void file(const std::string& path, long atLeast = 0);

private:
    long nextSize();

    std::string root_;
    long filesPerFolder_;
    bool createdScratch_ = false;
    long files_ = 0;
    long folders_ = 0;
    unsigned long long seed_ = 42;
};

// Lays out about `files` files in `folders` folders: each package-tool cache stays under the 10,000-entry
// sizing limit and every area entry far below it, so that a scan counts every file, as du does; the other
// folders go to the areas as entries of 50 folders each.
void build(SyntheticHome& home, long files, long folders);

} // namespace zn::bench
