#include "ViewModels/ListedItemSizes.h"

#include "Platform/core/ItemSize.h"
#include "Platform/qt/BackgroundTask.h"

namespace zn {

ListedItemSizes::ListedItemSizes(QObject* parent) : QObject(parent) {}

void ListedItemSizes::measure(const std::vector<std::string>& paths) {
    std::vector<std::string> fresh;
    for (const std::string& path : paths)
        if (entries_.try_emplace(path).second)
            fresh.push_back(path);
    if (fresh.empty())
        return;
    awaited_ += fresh.size();
    runInBackground(
        this,
        [fresh = std::move(fresh)] {
            std::vector<Look> looks;
            looks.reserve(fresh.size());
            for (const std::string& path : fresh) {
                const bool folder = isFolderEntry(path);
                looks.push_back({path, folder, folder ? std::nullopt : listedFileSize(path)});
            }
            return looks;
        },
        [this, generation = generation_](std::vector<Look> looks) {
            if (generation == generation_)
                adoptLooks(std::move(looks));
        });
}

void ListedItemSizes::adoptLooks(std::vector<Look> looks) {
    std::vector<std::string> sized;
    for (Look& look : looks) {
        entries_[look.path].isFolder = look.isFolder;
        if (look.isFolder) {
            walk(look.path);
            continue;
        }
        record(look.path, look.size);
        sized.push_back(std::move(look.path));
    }
    emit sizesArrived(sized);
}

void ListedItemSizes::walk(const std::string& path) {
    runInBackground(
        this, [path] { return listedItemSize(path); },
        [this, generation = generation_, path](std::optional<std::int64_t> size) {
            if (generation != generation_)
                return;
            record(path, size);
            emit sizesArrived({path});
        });
}

void ListedItemSizes::record(const std::string& path, std::optional<std::int64_t> size) {
    entries_[path].size = size;
    --awaited_;
    if (counted_.contains(path))
        countedTotal_ += size.value_or(0);
}

std::optional<std::int64_t> ListedItemSizes::size(const std::string& path) const {
    const auto found = entries_.find(path);
    return found == entries_.end() ? std::nullopt : found->second.size;
}

std::optional<bool> ListedItemSizes::isFolder(const std::string& path) const {
    const auto found = entries_.find(path);
    return found == entries_.end() ? std::nullopt : found->second.isFolder;
}

void ListedItemSizes::setCounted(std::set<std::string> paths) {
    counted_ = std::move(paths);
    countedTotal_ = 0;
    for (const std::string& path : counted_)
        countedTotal_ += size(path).value_or(0);
}

void ListedItemSizes::reset() {
    ++generation_;
    entries_.clear();
    awaited_ = 0;
    countedTotal_ = 0;
}

} // namespace zn
