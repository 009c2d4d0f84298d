#pragma once

#include "Logic/Removal/OrphanSafetyPolicy.h"
#include "Logic/Removal/PrivilegedRemovalRecords.h"
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
