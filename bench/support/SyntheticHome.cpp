#include "support/SyntheticHome.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace zn::bench {

namespace fs = std::filesystem;

namespace {
// Folders of one top-level entry of an area (the entry itself and its subfolders).
constexpr long kFoldersPerEntry = 50;
} // namespace

void fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

SyntheticHome::SyntheticHome(std::string root, long filesPerFolder)
    : root_(std::move(root)), filesPerFolder_(filesPerFolder) {
    const fs::path scratch = fs::path(root_).parent_path();
    std::error_code error;
    createdScratch_ = fs::create_directories(scratch, error);
    if (error)
        fail("cannot create " + scratch.string());
    // Only a folder made here is removed at the end: one that is already there may hold someone's files.
    if (!fs::create_directory(root_, error)) {
        if (createdScratch_)
            fs::remove(scratch, error);
        errno = error ? error.value() : EEXIST;
        fail("cannot create " + root_);
    }
}

SyntheticHome::~SyntheticHome() {
    std::error_code error;
    fs::remove_all(root_, error);
    if (createdScratch_)
        fs::remove(fs::path(root_).parent_path(), error); // when nothing else was put there meanwhile
}

void SyntheticHome::folderWithFiles(const std::string& path) {
    std::error_code error;
    fs::create_directories(path, error);
    if (error)
        fail("cannot create " + path);
    ++folders_;
    for (long i = 0; i < filesPerFolder_; ++i)
        file(path + "/file-" + std::to_string(i) + ".dat");
}

void SyntheticHome::file(const std::string& path, long atLeast) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::ftruncate(fd, atLeast + nextSize()) != 0)
        fail("cannot create " + path);
    ::close(fd);
    ++files_;
}

long SyntheticHome::nextSize() {
    seed_ = seed_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<long>(100 + (seed_ >> 33) % 20'000);
}

void build(SyntheticHome& home, long files, long folders) {
    const long filesPerFolder = std::max(1L, files / std::max(1L, folders));
    const long toolFolders = std::min(folders * 4 / 100, 9000 / (filesPerFolder + 1));
    for (const char* cache : kPackageToolCaches) {
        const std::string base = home.root() + "/" + cache;
        home.folderWithFiles(base);
        for (long i = 1; i < toolFolders; ++i)
            home.folderWithFiles(base + "/" + std::to_string(i % 16) + "/" + std::to_string(i));
    }

    const long left = std::max(0L, folders - home.folders());
    int weights = 0;
    for (const Area& area : kAreas)
        weights += area.weight;
    for (const Area& area : kAreas) {
        const long areaFolders = left * area.weight / weights;
        const std::string base = home.root() + "/" + area.path;
        for (long made = 0, entry = 0; made < areaFolders; ++entry) {
            const std::string top = base + "/entry-" + std::to_string(entry);
            home.folderWithFiles(top);
            ++made;
            for (long sub = 1; sub < kFoldersPerEntry && made < areaFolders; ++sub, ++made)
                home.folderWithFiles(top + "/sub-" + std::to_string(sub % 7) + "/" + std::to_string(sub));
        }
    }
}

} // namespace zn::bench
