#pragma once

#include "Logic/Removal/OrphanSafetyPolicy.h"
#include "Models/CleaningCategory.h"
#include "Platform/core/PeopleAccounts.h"
#include "Platform/core/SafeRemoval.h"
#include "Logic/Removal/CleaningPathRules.h"

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace zn {

// One item handed to the administrator side: its category decides the rule (a large file goes only as a
// regular file), the path is the one the engine resolved and checked. Without a category the item is a
// leftover of a removed application, judged by the leftover safety policy and removed as a whole (a link
// as the link itself); its path has its folder's links resolved and its own name kept.
struct PrivilegedRemovalRecord {
    std::optional<CleaningCategory> category;
    std::string path;
    bool operator==(const PrivilegedRemovalRecord&) const = default;
};

// Whether a leftover, in the form its check gave it (OrphanSafetyPolicy::checkedPath), may go through the
// administrator pass of the user whose `policy` and `rules` these are: the policy takes the path as
// written (a folder on the way that became a link since refuses it), and it lies in no shared temporary
// folder, where the user's own rights already reach all that is the user's and a password could only
// reach other users' files. Both sides of the pass ask this.
bool admitsLeftoverInAdminPass(const std::string& checkedPath, const OrphanSafetyPolicy& policy,
                               const CleaningPathRules& rules);

// The tag a leftover record carries in place of a category's raw value.
inline constexpr std::string_view kLeftoverRecordTag = "leftover";

// Per record: the category's raw value (or the leftover tag), a NUL byte, the path, a NUL byte.
std::string encodePrivilegedRemovalRecords(const std::vector<PrivilegedRemovalRecord>& records);
// Nothing unless the text is a whole list of such records, each of a known category.
std::optional<std::vector<PrivilegedRemovalRecord>> decodePrivilegedRemovalRecords(std::string_view text);

// What the administrator side tells of each record it handled, on its standard output after its start
// marker: a record removed as its path followed by a NUL byte; one that stayed, all or in part, for other
// people as a kept tag (which says why: keptRecordTag), its path and the first entry kept, each followed by
// a NUL byte. A record it refused or failed to remove is not named.
std::string_view keptRecordTag(KeptBecause because);

struct PrivilegedRemovalReport {
    std::set<std::string> removed;
    std::map<std::string, KeptEntry> kept; // each record's path with the first entry it kept
};
// What a report says, as far as it goes: one cut short (its side stopped half way) tells what came before.
PrivilegedRemovalReport decodePrivilegedRemovalReport(std::string_view text);

// The longest list of records the administrator side reads: 64 MiB holds over 16,000 records of the
// longest path Linux takes (4,096 bytes), or some 300,000 of the couple of hundred bytes a cache path
// usually has, while a clean hands it at most the few items that refused the user. Anything longer is
// no list this program wrote, and root's memory is not the caller's to fill.
inline constexpr std::size_t kPrivilegedRemovalInputLimit = std::size_t{64} << 20;

// What the administrator side learns from outside, and where it tells why it refused to run; tests
// replace each part.
struct PrivilegedRemovalContext {
    // The value of PKEXEC_UID, which pkexec sets to the user who authorised the run.
    std::optional<std::string> callingUserId;
    // The home folder of a user in the password database.
    std::function<std::optional<std::string>(uid_t)> homeOfUser;
    SystemCleaningFolders systemFolders;
    std::shared_ptr<RemovalFileOperations> fileOperations = std::make_shared<SystemRemovalFileOperations>();
    // The prefix of the system folders the leftover policy allows ("" for the real "/Library").
    std::string leftoverSystemRoot;
    // Besides the log, a refusal to run is told here (standard error in the real program).
    std::ostream* refusalOutput = nullptr;
    std::size_t inputLimit = kPrivilegedRemovalInputLimit;
    // This side's own working directory and program folder (the program the caller runs too).
    RunningProgramPlaces runningProgram;
    // The user ids of people: nothing of another person than the calling user is removed but the bundles
    // of applications folders, which are the machine's.
    People people = {};
};

// The real environment, password database, temporary folders and file system.
PrivilegedRemovalContext systemPrivilegedRemovalContext();

// True when the program was started as the administrator side of a removal; it then does nothing else.
bool isPrivilegedRemovalInvocation(const std::vector<std::string>& processArguments);

// The administrator side. Writes the start marker, then reads the records to their end, checks each again
// with the calling user's own rules (never the caller's word for them; leftovers with the leftover policy
// for the calling user's home), removes what passes without following any link, crossing into another
// mount or touching another person's entry, and reports each record removed or kept. Returns 0 once every
// record was handled (refusals and failures are logged; the caller sees them as survivors), 1 when it
// refused to run at all, before removing anything: extra arguments, no calling user or root as the
// calling user, a home that cannot be found, input longer than the context's limit, or input that is not
// a list of records.
int runPrivilegedRemoval(const std::vector<std::string>& processArguments, std::istream& input,
                         std::ostream& output, const PrivilegedRemovalContext& context);

} // namespace zn
