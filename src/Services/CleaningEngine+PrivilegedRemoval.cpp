#include "Services/CleaningEngine+PrivilegedRemoval.h"

#include "Logic/Removal/LeftoverRules.h"
#include "Logic/Utilities/Logger.h"
#include "Platform/core/AdminRunner.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"
#include "Logic/Removal/CleaningPathRules.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <iostream>
#include <ostream>
#include <pwd.h>
#include <unistd.h>

namespace zn {

namespace {

const std::string kSource = "cleanWithAdminPrivileges(items:)";

constexpr int kRefusedToRun = 1;

int refuseToRun(const std::string& reason, const PrivilegedRemovalContext& context) {
    const std::string text = "Administrator removal refused to run: " + reason;
    Logger::shared().log(text, LogLevel::error, kSource);
    if (context.refusalOutput)
        *context.refusalOutput << text << std::endl;
    return kRefusedToRun;
}

// The whole input, unless it holds more than `limit` bytes: then nothing (and no more is read).
std::optional<std::string> readAtMost(std::istream& input, std::size_t limit) {
    std::string text;
    std::array<char, 65536> buffer;
    while (input.read(buffer.data(), buffer.size()) || input.gcount() > 0) {
        const auto count = static_cast<std::size_t>(input.gcount());
        if (count > limit - text.size())
            return std::nullopt;
        text.append(buffer.data(), count);
    }
    return text;
}

// Decimal digits only, and never root: a root caller needs no administrator pass, and its home is not a
// user's home.
std::optional<uid_t> parseCallingUser(const std::optional<std::string>& text) {
    if (!text || text->empty() || text->find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    unsigned long long value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size() || value == 0 ||
        value >= static_cast<unsigned long long>(static_cast<uid_t>(-1)))
        return std::nullopt;
    return static_cast<uid_t>(value);
}

std::optional<std::string> homeFromPasswordDatabase(uid_t user) {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    struct passwd entry;
    struct passwd* found = nullptr;
    if (::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
        return std::nullopt;
    return std::string(found->pw_dir);
}

// The rules the administrator side judges records by, all for the calling user.
struct RecordRules {
    const CleaningPathRules& cleaning;
    const OrphanSafetyPolicy& leftovers;
    OtherPeople otherPeople;
};

void logRefusal(const std::string& path) {
    Logger::shared().log("Refusing admin escalation for unsafe path: " + path, LogLevel::warning, kSource);
}

// The engine sends the path in its final form: one that resolves to anything else has changed since, or
// was never checked. A leftover keeps its own name (a link goes as the link), so only its folder must be
// in final form.
bool admits(const PrivilegedRemovalRecord& record, const RecordRules& rules) {
    if (!CleaningPathRules::isAbsolutePathText(record.path))
        return false;
    if (rules.cleaning.isProtectedPlace(record.path))
        return false;
    if (!record.category)
        return admitsLeftoverInAdminPass(record.path, rules.leftovers, rules.cleaning);
    return resolvedPathIfResolvable(record.path) == record.path &&
           rules.cleaning.admitsInAdminPass(*record.category, record.path);
}

// The folder of the rule that admitted the record: the removal keeps to its mount.
std::optional<std::string> allowedPlace(const PrivilegedRemovalRecord& record, const RecordRules& rules) {
    if (!record.category)
        return PathText::innermostHolding(record.path, rules.leftovers.allowedRoots());
    return rules.cleaning.allowedPlaceInAdminPass(*record.category, record.path);
}

// A real application bundle in the machine's applications folder is the machine's, whoever installed it:
// removing it is what the administrator pass is for. Leftovers get no such exception.
std::optional<std::string> applicationsFolder(const PrivilegedRemovalRecord& record,
                                              const RecordRules& rules) {
    if (!record.category)
        return std::nullopt;
    return rules.cleaning.machineApplications();
}

// Checks one record with the calling user's rules, removes it and reports what became of it.
void removeRecord(const PrivilegedRemovalRecord& record, const RecordRules& rules, const SafeRemoval& removal,
                  std::ostream& output) {
    const auto place = admits(record, rules) ? allowedPlace(record, rules) : std::nullopt;
    if (!place) {
        logRefusal(record.path);
        return;
    }
    const RemovalResult result = removal.removeItem(
        record.path,
        record.category ? CleaningPathRules::removalScope(*record.category) : SafeRemoval::Scope::wholeItem,
        {std::nullopt, place, rules.otherPeople, applicationsFolder(record, rules)});
    if (result.succeeded()) {
        output << record.path << '\0';
    } else if (result.keptEntriesOfOthers()) {
        Logger::shared().log("Kept for other users: " + record.path + ": " + result.description,
                             LogLevel::warning, kSource);
        const KeptEntry& first = result.keptEntries.front();
        output << keptRecordTag(first.because) << '\0' << record.path << '\0' << first.path << '\0';
    } else if (result.errorNumber != ENOENT) {
        Logger::shared().log("Admin removal failed for " + record.path + ": " + result.description,
                             LogLevel::error, kSource);
    }
}

} // namespace

PrivilegedRemovalContext systemPrivilegedRemovalContext() {
    PrivilegedRemovalContext context;
    if (const char* value = std::getenv("PKEXEC_UID"))
        context.callingUserId = value;
    context.homeOfUser = homeFromPasswordDatabase;
    context.refusalOutput = &std::cerr;
    context.runningProgram = currentRunningProgramPlaces();
    context.people = People::fromLoginDefinitions();
    return context;
}

bool isPrivilegedRemovalInvocation(const std::vector<std::string>& processArguments) {
    return processArguments.size() >= 2 && processArguments[1] == kPrivilegedRemovalArgument;
}

int runPrivilegedRemoval(const std::vector<std::string>& processArguments, std::istream& input,
                         std::ostream& output, const PrivilegedRemovalContext& context) {
    // First of all, so that the caller can tell this program's statuses from those of pkexec.
    output << kPrivilegedRemovalStartMarker << std::flush;

    if (processArguments.size() != 2)
        return refuseToRun("unexpected arguments", context);
    const auto user = parseCallingUser(context.callingUserId);
    if (!user)
        return refuseToRun("no calling user other than root (PKEXEC_UID)", context);
    const auto home = context.homeOfUser ? context.homeOfUser(*user) : std::nullopt;
    const auto resolvedHome = home ? resolvedPathIfResolvable(*home) : std::nullopt;
    if (!resolvedHome)
        return refuseToRun("no home folder for user " + std::to_string(*user), context);

    const auto text = readAtMost(input, context.inputLimit);
    if (!text)
        return refuseToRun(
            "the list of items is longer than " + std::to_string(context.inputLimit) + " bytes", context);
    const auto records = decodePrivilegedRemovalRecords(*text);
    if (!records)
        return refuseToRun("the list of items is malformed", context);

    const CleaningPathRules cleaningRules(*resolvedHome, *user, context.systemFolders, {},
                                          context.runningProgram);
    const OrphanSafetyPolicy leftoverPolicy(*resolvedHome, context.leftoverSystemRoot);
    const RecordRules rules{cleaningRules, leftoverPolicy, OtherPeople(*user, context.people)};
    const SafeRemoval removal(context.fileOperations);
    for (const auto& record : *records)
        removeRecord(record, rules, removal, output);
    output << std::flush;
    return 0;
}

} // namespace zn
