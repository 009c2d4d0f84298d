#include "ViewModels/ListedItemSizes.h"

#include "Platform/core/ItemSize.h"
#include "Platform/qt/BackgroundTask.h"

namespace zn {

ListedItemSizes::ListedItemSizes(Sizer folderSizer, QObject* parent)
    : QObject(parent), folderSizer_(folderSizer ? std::move(folderSizer) : Sizer(listedItemSize)) {}

std::optional<std::int64_t> ListedItemSizes::size(const std::string& path) {
    if (auto found = known_.find(path); found != known_.end())
        return found->second;
    if (!isFolderEntry(path))
        return known_[path] = listedFileSize(path);
    if (walking_.insert(path).second) {
        auto generation = generation_;
        runInBackground(
            this, [sizer = folderSizer_, path] { return sizer(path); },
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
