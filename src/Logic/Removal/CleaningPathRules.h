#pragma once

#include "Logic/Removal/AdministratorPassFolders.h"
#include "Logic/Removal/CleaningRoots.h"
#include "Logic/Removal/ProtectedPlaces.h"
#include "Models/CleaningCategory.h"
#include "Models/Date.h"
#include "Platform/core/HomeTrash.h"
#include "Platform/core/SafeRemoval.h"

#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace zn {

// What the cleaning engine may remove. Both sides of the administrator pass apply these same rules: the
// engine before it asks for the password, and this program again, started as administrator, just before
// it removes anything.
class CleaningPathRules {
public:
    // `resolvedHome` has its links resolved ("" or "/" admits nothing below a home); `callingUser` is whom
    // the cleaning is for; `now` (the system clock when empty) dates shared temporary entries; the home and
    // `runningProgram`'s places are protected; `dataHome` places the home Trash (see HomeTrash).
    CleaningPathRules(std::string resolvedHome, uid_t callingUser, SystemCleaningFolders systemFolders = {},
                      std::function<Date()> now = {},
                      const RunningProgramPlaces& runningProgram = currentRunningProgramPlaces(),
                      const std::optional<std::string>& dataHome = std::nullopt);

    // Pure text tests after standardisation; a relative path, one starting with "~" or one holding a NUL
    // byte passes none. The allowed-root rule: inside one of the allowed roots (some of which may also go
    // as a whole).
    bool isSafeToDelete(const std::string& resolvedPath) const;
    // Anything below the home folder's Downloads, Documents or Desktop (never those folders themselves).
    bool isExplicitSingleFileDeletable(const std::string& resolvedPath) const;
    // Inside an application bundle in an Applications folder, an installer receipt, or a system launch
    // item's property list.
    bool isSafeUninstallEscalationPath(const std::string& path) const;
    // The machine's applications folder, standardised (RemovalLimits::applicationsFolder).
    const std::string& machineApplications() const { return administratorFolders_.machineApplications(); }

    // The whole decision for one item in the ordinary pass, on its final path (absolute, standardised, no
    // link left to resolve). In a shared temporary folder only the calling user's entries that rested for a
    // day go; nothing goes from a home Trash that is not the calling user's alone (on either pass).
    bool admitsInOrdinaryPass(CleaningCategory category, const std::string& resolvedPath) const;
    // The same for the administrator pass, which also admits the administrator-pass folders' items: no
    // allowed root goes as a whole, and nothing in a shared temporary folder goes at all.
    bool admitsInAdminPass(CleaningCategory category, const std::string& resolvedPath) const;
    // The folder whose rule admits `resolvedPath` in the administrator pass, the most specific where
    // several do (none when no rule does): nothing may go that lies on another mount than this folder.
    std::optional<std::string> allowedPlaceInAdminPass(CleaningCategory category,
                                                       const std::string& resolvedPath) const;
    // Strictly inside one of the folders every user writes to, and not inside a home that lies there: the
    // most specific place decides, so a home under /tmp keeps its own rules.
    bool isInSharedTemporaryFolder(const std::string& resolvedPath) const;
    // The home, the working directory, the program's folder or a folder holding one of them.
    bool isProtectedPlace(const std::string& resolvedPath) const {
        return protectedPlaces_.isOrHoldsOne(resolvedPath);
    }
    // The owner every entry of an item must still have when it is removed, if any.
    std::optional<uid_t> ownerRequiredForRemoval(const std::string& resolvedPath) const;
    // A large file goes only as a regular file; everything else as a whole.
    static SafeRemoval::Scope removalScope(CleaningCategory category);

    // Starts with "/" and holds no NUL byte: the only paths that are tested for existence or resolved.
    static bool isAbsolutePathText(const std::string& path);

    const std::string& home() const { return home_; }

private:
    std::optional<std::string> standardizedAbsolute(const std::string& path) const;
    bool isAllowedRootItself(const std::string& standardizedPath) const;
    bool isRemovableForm(const std::string& resolvedPath) const;
    bool isTemporaryEntryInUse(const std::string& resolvedPath) const;
    std::optional<std::string> escalationFolderAdmitting(const std::string& path) const;
    bool isDecidedByHome(const std::string& path, const std::string& place) const;
    bool isInTrashOfAnother(const std::string& resolvedPath) const;
    bool isRefusedOnEitherPass(CleaningCategory category, const std::string& resolvedPath) const;
    bool isDeletableLargeFile(const std::string& resolvedPath) const;

    std::string home_;
    bool homeUsable_ = false;
    uid_t callingUser_;
    std::function<Date()> now_;
    std::vector<std::string> sharedTemporaryFolders_;
    std::vector<CleaningRoot> allowedRoots_;
    std::vector<std::string> explicitFileFolders_; // the document folders
    AdministratorPassFolders administratorFolders_;
    ProtectedPlaces protectedPlaces_;
    HomeTrash homeTrash_;
};

} // namespace zn
