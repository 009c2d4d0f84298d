#pragma once

#include <QObject>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace zn {

// The sizes a file list shows, kept for one search. A file is sized at once by the space it takes; a folder
// (an application bundle, a cache folder) by the files inside it, walked off the main thread: until that
// walk has answered its size is unknown, and sizesChanged() tells when it is known.
class ListedItemSizes : public QObject {
    Q_OBJECT

public:
    explicit ListedItemSizes(QObject* parent = nullptr);

    // The size when known; none for an item that cannot be looked at or a folder still being walked.
    std::optional<std::int64_t> size(const std::string& path);
    // The sum of the known sizes.
    template <typename Paths> std::int64_t total(const Paths& paths) {
        std::int64_t sum = 0;
        for (const std::string& path : paths)
            sum += size(path).value_or(0);
        return sum;
    }
    // A new search: everything is sized again, and walks still running are not heard of.
    void reset();

signals:
    void sizesChanged();

private:
    std::map<std::string, std::optional<std::int64_t>> known_;
    std::set<std::string> walking_;
    std::uint64_t generation_ = 0;
};

} // namespace zn
