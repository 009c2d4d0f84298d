#include "appsupport/FakeClock.h"

#include <QCoreApplication>

#include <algorithm>

namespace zn::test {

ScheduledCall FakeClock::callAfter(std::chrono::milliseconds delay, QObject* context,
                                   std::function<void()> action) {
    auto cancelled = std::make_shared<bool>(false);
    entries_.push_back(
        {now_ + delay, nextOrder_++, QPointer<QObject>(context), std::move(action), cancelled});
    return ScheduledCall([cancelled] { *cancelled = true; });
}

void FakeClock::advance(std::chrono::milliseconds duration) {
    Date target = now_ + duration;
    while (true) {
        std::erase_if(entries_, [](const Entry& entry) { return *entry.cancelled || !entry.context; });
        auto next = std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
            return a.due != b.due ? a.due < b.due : a.order < b.order;
        });
        if (next == entries_.end() || next->due > target)
            break;
        Entry entry = std::move(*next);
        entries_.erase(next);
        now_ = std::max(now_, entry.due);
        entry.action();
        QCoreApplication::processEvents();
    }
    now_ = target;
}

std::size_t FakeClock::pendingCalls() const {
    return static_cast<std::size_t>(std::count_if(entries_.begin(), entries_.end(), [](const Entry& entry) {
        return !*entry.cancelled && entry.context;
    }));
}

} // namespace zn::test
