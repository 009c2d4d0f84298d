#include "ViewModels/ListedItemSizes.h"

#include "Platform/core/ItemSize.h"
#include "Platform/qt/BackgroundTask.h"

namespace zn {

ListedItemSizes::ListedItemSizes(QObject* parent) : QObject(parent) {}

std::optional<std::int64_t> ListedItemSizes::size(const std::string& path) {
    if (auto found = known_.find(path); found != known_.end())
        return found->second;
    if (!isFolderEntry(path))
        return known_[path] = listedFileSize(path);
    if (walking_.insert(path).second) {
        auto generation = generation_;
        runInBackground(
            this, [path] { return listedItemSize(path); },
            [this, generation, path](std::optional<std::int64_t> size) {
                if (generation != generation_)
                    return;
                walking_.erase(path);
                known_[path] = size;
                emit sizesChanged();
            });
    }
    return std::nullopt;
}

void ListedItemSizes::reset() {
    ++generation_;
    known_.clear();
    walking_.clear();
}

} // namespace zn
