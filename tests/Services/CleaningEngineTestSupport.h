#pragma once

#include "Logic/Utilities/Logger.h"
#include "Platform/core/MainQueue.h"
#include "Services/CleaningEngine.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace zn::test {

inline CleanableItem itemAt(const std::string& path, std::int64_t size = 100,
                            CleaningCategory category = CleaningCategory::userCache) {
    CleanableItem item;
    item.id = Uuid::random();
    auto slash = path.rfind('/');
    item.name = slash == std::string::npos ? path : path.substr(slash + 1);
    item.path = path;
    item.size = size;
    item.category = category;
    item.isSelected = true;
    return item;
}

inline bool exists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

// The shared logger's entries written after construction.
class LogCapture {
public:
    struct Line {
        std::string message;
        LogLevel level;
        std::string source;
        bool operator==(const Line&) const = default;
    };

    LogCapture() {
        MainQueue::drainPending();
        const auto& entries = Logger::shared().entries();
        if (!entries.empty())
            last_ = entries.back().id;
    }

    std::vector<Line> lines() const {
        MainQueue::drainPending();
        const auto& entries = Logger::shared().entries();
        auto it = entries.begin();
        if (last_)
            for (auto search = entries.begin(); search != entries.end(); ++search)
                if (search->id == *last_)
                    it = std::next(search);
        std::vector<Line> result;
        for (; it != entries.end(); ++it)
            result.push_back({it->message, it->level, it->source});
        return result;
    }

    std::vector<std::string> messages() const {
        std::vector<std::string> result;
        for (const auto& line : lines())
            result.push_back(line.message);
        return result;
    }

private:
    std::optional<Uuid> last_;
};

// Records every command and every input of the program form; `onRun` and `onPrivilegedRun` may act like
// the removal (or not) and choose the outcome. The AppleScript form unless told otherwise.
class RecordingAdminRunner : public AdminRunner {
public:
    Form runnerForm = Form::appleScript;
    std::vector<AdminCommand> commands;
    std::vector<std::string> privilegedInputs;
    std::function<AdminRunOutcome(const AdminCommand&)> onRun = [](const AdminCommand&) {
        return AdminRunOutcome{AdminRunOutcome::Status::succeeded, {}};
    };
    std::function<AdminRunOutcome(const std::string&)> onPrivilegedRun = [](const std::string&) {
        return AdminRunOutcome{AdminRunOutcome::Status::succeeded, {}};
    };

    Form form() const override { return runnerForm; }
    AdminRunOutcome run(const AdminCommand& command) override {
        commands.push_back(command);
        return onRun(command);
    }
    AdminRunOutcome runPrivilegedRemoval(const std::string& input) override {
        privilegedInputs.push_back(input);
        return onPrivilegedRun(input);
    }
};

// Free-space readings handed out in order; an empty reading (or none left) is an unreadable volume.
class SequencedFreeSpace : public VolumeInfo {
public:
    explicit SequencedFreeSpace(std::deque<std::optional<std::int64_t>> freeBytes)
        : readings_(std::move(freeBytes)) {}

    FileSystemSize fileSystemSize(const std::string& path) const override {
        paths_.push_back(path);
        FileSystemSize size;
        if (readings_.empty() || !readings_.front()) {
            size.errorDescription = "The volume could not be read";
        } else {
            size.readable = true;
            size.totalBytes = 500'000'000'000;
            size.freeBytes = *readings_.front();
        }
        if (!readings_.empty())
            readings_.pop_front();
        return size;
    }
    Capacities capacities(const std::string&) const override { return {}; }
    const std::vector<std::string>& askedPaths() const { return paths_; }

private:
    mutable std::deque<std::optional<std::int64_t>> readings_;
    mutable std::vector<std::string> paths_;
};

} // namespace zn::test
