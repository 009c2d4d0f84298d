#include "Platform/qt/Workspace.h"

#include <array>
#include <csignal>
#include <map>
#include <unistd.h>

namespace zn {

namespace {

struct ExecutableRule {
    std::string_view pathSuffix; // matched against the end of the executable's path, at a "/" boundary
    std::string_view bundleIdentifier;
};

// How the browsers the cleaner knows are installed on Linux. Safari and Opera GX have no Linux build.
constexpr std::array<ExecutableRule, 12> kExecutableRules{{
    {"google/chrome/chrome", "com.google.Chrome"},
    {"google/chrome-beta/chrome", "com.google.Chrome"},
    {"google/chrome-unstable/chrome", "com.google.Chrome"},
    {"microsoft/msedge/msedge", "com.microsoft.edgemac"},
    {"microsoft/msedge-beta/msedge", "com.microsoft.edgemac"},
    {"microsoft/msedge-dev/msedge", "com.microsoft.edgemac"},
    {"firefox", "org.mozilla.firefox"},
    {"firefox-bin", "org.mozilla.firefox"},
    {"firefox-esr", "org.mozilla.firefox"},
    {"opera/opera", "com.operasoftware.Opera"},
    {"brave.com/brave/brave", "com.brave.Browser"},
    {"brave.com/brave-beta/brave", "com.brave.Browser"},
}};

bool endsWithComponents(std::string_view path, std::string_view suffix) {
    if (!path.ends_with(suffix))
        return false;
    return path.size() == suffix.size() || path[path.size() - suffix.size() - 1] == '/';
}

} // namespace

std::optional<std::string> bundleIdentifierForExecutable(std::string_view executablePath) {
    for (const auto& rule : kExecutableRules)
        if (endsWithComponents(executablePath, rule.pathSuffix))
            return std::string(rule.bundleIdentifier);
    return std::nullopt;
}

Workspace::Workspace(ProcessLister lister, SignalSender sender, uid_t user)
    : lister_(std::move(lister)), sender_(std::move(sender)), user_(user) {}

Workspace& Workspace::shared() {
    static Workspace workspace([] { return readProcessTable("/proc"); },
                               [](pid_t pid, int signal) { return ::kill(pid, signal); }, ::geteuid());
    return workspace;
}

std::vector<RunningApplication> Workspace::runningApplications() const {
    std::vector<ProcessEntry> processes = lister_();
    std::map<pid_t, std::optional<std::string>> identifierOfProcess;
    for (const auto& process : processes)
        identifierOfProcess[process.pid] = bundleIdentifierForExecutable(process.executablePath);

    std::vector<RunningApplication> applications;
    for (const auto& process : processes) {
        const auto& identifier = identifierOfProcess[process.pid];
        if (process.owner != user_ || !identifier)
            continue;
        auto parent = identifierOfProcess.find(process.parentPid);
        if (parent != identifierOfProcess.end() && parent->second == identifier)
            continue;
        applications.push_back({process.pid, *identifier, process.executablePath});
    }
    return applications;
}

bool Workspace::terminate(const RunningApplication& application) const {
    // Never signal the process group or everything (0 and -1): only a real process id.
    if (application.pid <= 0)
        return false;
    // The question before quitting can stay open for minutes; by then the id may belong to another
    // process, which must not be hit.
    for (const auto& process : lister_())
        if (process.pid == application.pid)
            return process.owner == user_ && process.executablePath == application.executablePath &&
                   sender_(application.pid, SIGTERM) == 0;
    return false;
}

} // namespace zn
