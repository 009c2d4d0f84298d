#include "Services/CleaningEngine.h"

#include "Logic/Utilities/Logger.h"
#include "Platform/core/PathResolution.h"
#include "Logic/Removal/AdministratorPass.h"
#include "Services/CleaningEngine+Staging.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

namespace zn {

namespace {

const std::string kSource = "cleanWithAdminPrivileges(items:)";

void reportSurvivor(const CleanableItem& item, CleaningResult& result) {
    std::string text = item.name + " at " + item.path + " survived admin removal";
    Logger::shared().log("Admin pass survivor: " + text, LogLevel::error, kSource);
    result.errors.push_back(std::move(text));
}

} // namespace

CleaningResult CleaningEngine::cleanWithAdminPrivileges(const std::vector<CleanableItem>& items,
                                                        PathReading reading) {
    std::lock_guard lock(operationMutex_);
    Logger::shared().log("Admin pass starting with " + std::to_string(items.size()) + " item(s)",
                         LogLevel::info, kSource);

    ValidatedItems validated;
    for (const auto& item : items) {
        const auto resolved =
            CleaningPathRules::isAbsolutePathText(item.path) ? pathToJudge(item.path, reading) : std::nullopt;
        if (!resolved || !rules_.admitsInAdminPass(item.category, *resolved)) {
            Logger::shared().log("Refusing admin escalation for unsafe path: " + item.path, LogLevel::warning,
                                 kSource);
            continue;
        }
        validated.emplace_back(&item, *resolved);
    }
    if (validated.empty()) {
        Logger::shared().log("Admin pass: no items survived validation", LogLevel::warning, kSource);
        return {};
    }

    std::vector<PrivilegedRemovalRecord> records;
    std::unordered_set<std::string> listed;
    for (const auto& [item, resolved] : validated)
        if (listed.insert(resolved).second)
            records.push_back({item->category, resolved});
    const auto pass =
        runAdministratorPass(*adminRunner_, records, [&] { return runAppleScriptRemoval(records); });
    if (!pass || pass->status == AdminRunOutcome::Status::cancelled)
        return {};
    if (pass->status == AdminRunOutcome::Status::failed)
        Logger::shared().log("Admin clean failed: " + pass->errorText, LogLevel::error, kSource);

    // Judged per path, whatever the outcome: a partial failure still removed what it removed.
    CleaningResult result;
    readReport(validated, pass->report, result);
    const std::size_t survivors = result.errors.size();
    if (pass->status == AdminRunOutcome::Status::failed && survivors > 0)
        result.errors.insert(result.errors.begin(), "Administrator authorization failed");
    Logger::shared().log("Admin pass complete: " + std::to_string(result.deletedCount) + " deleted, " +
                             std::to_string(survivors) + " survived",
                         LogLevel::info, kSource);
    return result;
}

// The list goes to a private file that a root shell reads. Nothing there checks the paths again, which
// is why only the AppleScript form (macOS) works this way.
std::optional<AdminRunOutcome>
CleaningEngine::runAppleScriptRemoval(const std::vector<PrivilegedRemovalRecord>& records) const {
    // Each place once, separated by NUL bytes, with none after the last.
    std::string list;
    for (const PrivilegedRemovalRecord& record : records) {
        if (!list.empty())
            list.push_back('\0');
        list += record.path;
    }

    std::string errorDescription;
    const auto stagingPath = writeAdminStagingFile(temporaryDirectory_, list, errorDescription);
    if (!stagingPath) {
        Logger::shared().log("Couldn't stage admin path list: " + errorDescription, LogLevel::error, kSource);
        return std::nullopt;
    }
    const AdminRunOutcome outcome = adminRunner_->run(adminRemovalCommand(*stagingPath));
    ::unlink(stagingPath->c_str());
    return outcome;
}

void CleaningEngine::readReport(const ValidatedItems& validated, const PrivilegedRemovalReport& said,
                                CleaningResult& result) const {
    std::unordered_set<std::string> counted;
    for (const auto& [item, resolved] : validated) {
        if (said.removed.contains(resolved)) {
            countRemoved(*item, resolved, counted, result);
        } else if (const auto kept = said.kept.find(resolved); kept != said.kept.end()) {
            Logger::shared().log("Kept for other users: " + item->name + " at " + item->path + ": " +
                                     keptEntryText(kept->second),
                                 LogLevel::warning, kSource);
            result.keptForOtherUsers.push_back({item->path, kept->second});
        } else {
            reportSurvivor(*item, result);
        }
    }
}

void CleaningEngine::countRemoved(const CleanableItem& item, const std::string& resolved,
                                  std::unordered_set<std::string>& counted, CleaningResult& result) const {
    result.deletedPaths.insert(item.path);
    forgetTrashRecord(item.category, resolved);
    // Two items that resolve to one place were removed once.
    if (counted.insert(resolved).second) {
        ++result.deletedCount;
        result.freedSpace = saturatingAdd(result.freedSpace, item.size);
    }
}

} // namespace zn
