#include "ViewModels/RemovalMessages.h"

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

std::optional<std::string> combinedRemovalMessage(std::size_t refusedCount,
                                                  const std::optional<std::string>& failureMessage) {
    if (refusedCount == 0)
        return failureMessage;
    std::string message = refusedRemovalMessage(refusedCount);
    if (failureMessage)
        message += " " + *failureMessage;
    return message;
}

} // namespace zn
