#pragma once

#include <QObject>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zn {

// The sizes a file list shows, kept for one search. Every entry is looked at off the main thread: all the
// listed ones together first (whether each is a folder; a file is sized by the space it takes), then each
// folder (an application bundle, a cache folder) by the files inside it, walked on its own. Until its
// answer an entry's size is unknown; sizesArrived() names the entries answered. The total of the counted
// entries (the selection) is kept up to date answer by answer, so no answer makes the list be looked at
// again.
class ListedItemSizes : public QObject {
    Q_OBJECT

public:
    explicit ListedItemSizes(QObject* parent = nullptr);

    // Starts looking at the paths not yet looked at in this search.
    void measure(const std::vector<std::string>& paths);
    // The size when known; none for an item that cannot be looked at or not answered yet.
    std::optional<std::int64_t> size(const std::string& path) const;
    // Whether the entry itself is a folder (a link to one is not); none until it has been looked at.
    std::optional<bool> isFolder(const std::string& path) const;
    // The entries the total counts; the total is the sum of their known sizes.
    void setCounted(std::set<std::string> paths);
    std::int64_t countedTotal() const { return countedTotal_; }
    // Whether answers are still awaited.
    bool isMeasuring() const { return awaited_ > 0; }
    // A new search: everything is sized again, and answers still on their way are not heard of.
    void reset();

signals:
    void sizesArrived(const std::vector<std::string>& paths);

private:
    struct Entry {
        std::optional<bool> isFolder;
        std::optional<std::int64_t> size;
    };
    struct Look {
        std::string path;
        bool isFolder;
        std::optional<std::int64_t> size;
    };
    void adoptLooks(std::vector<Look> looks);
    void walk(const std::string& path);
    void record(const std::string& path, std::optional<std::int64_t> size);

    std::map<std::string, Entry> entries_;
    std::set<std::string> counted_;
    std::int64_t countedTotal_ = 0;
    std::size_t awaited_ = 0;
    std::uint64_t generation_ = 0;
};

} // namespace zn
