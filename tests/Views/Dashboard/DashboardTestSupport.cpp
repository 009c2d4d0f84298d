#include "Views/Dashboard/DashboardTestSupport.h"

#include <QCoreApplication>
#include <QEvent>

#include <map>
#include <string>

namespace zn::test {

DashboardTest::DashboardTest()
    : state(harness.makeState()),
      view(std::make_unique<DashboardView>(state, ConfettiSources{harness.clock, fixedRandom()})) {
    view->resize(1000, 760);
    view->show();
}

void DashboardTest::settle() {
    // A refresh may show widgets whose layouts then ask their parents, one level per turn, to lay out again.
    for (int turn = 0; turn < 8; ++turn) {
        processQueuedWork();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }
}

void DashboardTest::setDisk(std::int64_t total, std::int64_t used, std::int64_t purgeable) {
    state.setDiskInfo({total, total - used, used, purgeable});
}

void DashboardTest::setResults(std::vector<CategoryResult> results) {
    std::map<CleaningCategory, CategoryResult> stored;
    std::int64_t total = 0;
    for (CategoryResult& result : results) {
        total += result.totalSize;
        stored[result.category] = std::move(result);
    }
    state.setCategoryResults(std::move(stored));
    state.setTotalJunkSize(total);
}

CategoryResult DashboardTest::resultOf(CleaningCategory category, int count, std::int64_t size, bool selected) {
    std::vector<CleanableItem> items;
    for (int index = 0; index < count; ++index)
        items.push_back(makeItem(category, "/home/u/" + std::string(rawValue(category)) + "/file-" +
                                               std::to_string(index),
                                 size, selected));
    return makeResult(category, std::move(items));
}

} // namespace zn::test
