#include "support/LogCapture.h"

#include "Platform/core/MainQueue.h"

#include <algorithm>

namespace zn::test {

LogCapture::LogCapture() {
    MainQueue::drainPending();
    const auto& all = Logger::shared().entries();
    if (!all.empty())
        lastBefore_ = all.back().id;
}

std::vector<LogEntry> LogCapture::entries() const {
    MainQueue::drainPending();
    const auto& all = Logger::shared().entries();
    auto first = all.begin();
    if (lastBefore_) {
        auto mark = std::find_if(all.begin(), all.end(),
                                 [&](const LogEntry& entry) { return entry.id == *lastBefore_; });
        first = mark == all.end() ? all.begin() : std::next(mark);
    }
    return {first, all.end()};
}

std::vector<std::string> LogCapture::messages() const {
    std::vector<std::string> texts;
    for (const LogEntry& entry : entries())
        texts.push_back(entry.message);
    return texts;
}

} // namespace zn::test
