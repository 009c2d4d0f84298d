#include "ViewModels/RemovalMessages.h"

#include "Platform/core/VisibleText.h"

#include <algorithm>

namespace zn {

namespace {

std::string countOfFiles(std::size_t count) {
    return std::to_string(count) + " file" + (count == 1 ? "" : "s");
}

} // namespace

std::optional<std::string> removalFailureMessage(bool needsFullDiskAccess, bool attemptedAdmin,
                                                 std::size_t failedCount,
                                                 const std::optional<std::string>& adminError) {
    if (needsFullDiskAccess)
        return (failedCount > 0 ? countOfFiles(failedCount) : std::string("Some selected files")) +
               " couldn't be removed because macOS is protecting them. Allow Zelva Nexal in Settings, then "
               "try again.";
    if (failedCount > 0 && attemptedAdmin)
        return countOfFiles(failedCount) +
               " couldn't be removed. The files may have changed or macOS blocked access.";
    if (failedCount > 0)
        return countOfFiles(failedCount) +
               " couldn't be removed. Make sure the files still exist and aren't open in another app.";
    if (adminError && !adminError->empty())
        return "Zelva Nexal couldn't finish removing the files: " + *adminError;
    return std::nullopt;
}

std::string refusedRemovalMessage(std::size_t refusedCount) {
    return "Refused to delete " + std::to_string(refusedCount) +
           " protected item(s) (home credential directory or similar).";
}

std::string trashFailureMessage(std::size_t count) {
    return "Zelva Nexal couldn't move " + countOfFiles(count) + " to the Trash, so " +
           (count == 1 ? "it was" : "they were") + " left in place. Check that the Trash can be written to.";
}

std::string keptForOtherUsersMessage(const std::vector<KeptItem>& kept) {
    const KeptEntry& first = kept.front().keptEntry;
    const std::string entry = visibleText(first.path);
    if (kept.size() == 1) {
        switch (first.because) {
        case KeptBecause::belongsToAnotherUser:
            return "Zelva Nexal kept 1 file in place: " + entry + " belongs to another user.";
        case KeptBecause::sharedWithOtherUsers:
            return "Zelva Nexal kept 1 file in place: " + entry + " is a folder shared with other users.";
        case KeptBecause::inFolderOfOtherUsers:
            return "Zelva Nexal kept 1 file in place: " + entry +
                   " lies in a folder shared with other users.";
        }
    }
    const bool allOfOthers = std::all_of(kept.begin(), kept.end(), [](const KeptItem& item) {
        return item.keptEntry.because == KeptBecause::belongsToAnotherUser;
    });
    return "Zelva Nexal kept " + countOfFiles(kept.size()) + " in place: they hold files of other users" +
           (allOfOthers ? "" : " or folders shared with them") + ", such as " + entry + ".";
}

std::optional<std::string> combinedRemovalMessage(std::size_t refusedCount,
                                                  const std::optional<std::string>& failureMessage,
                                                  std::size_t trashFailedCount,
                                                  const std::vector<KeptItem>& kept) {
    std::vector<std::string> parts;
    if (refusedCount > 0)
        parts.push_back(refusedRemovalMessage(refusedCount));
    if (failureMessage)
        parts.push_back(*failureMessage);
    if (trashFailedCount > 0)
        parts.push_back(trashFailureMessage(trashFailedCount));
    if (!kept.empty())
        parts.push_back(keptForOtherUsersMessage(kept));
    if (parts.empty())
        return std::nullopt;
    std::string message = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i)
        message += " " + parts[i];
    return message;
}

} // namespace zn
