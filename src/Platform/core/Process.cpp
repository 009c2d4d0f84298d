#include "Platform/core/Process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zn {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> editedEnvironment(const std::vector<std::string>& removedPrefixes) {
    std::vector<std::string> variables;
    for (char** entry = environ; entry && *entry; ++entry) {
        std::string variable(*entry);
        std::string name = variable.substr(0, variable.find('='));
        bool removed = false;
        for (const auto& prefix : removedPrefixes)
            removed = removed || name.starts_with(prefix);
        if (!removed)
            variables.push_back(std::move(variable));
    }
    return variables;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (auto& text : texts)
        result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

int remainingMilliseconds(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1000));
}

// Waits for the child until the deadline; kills its process group when the deadline passes.
std::optional<int> waitForExit(pid_t pid, Clock::time_point deadline, bool& timedOut) {
    int status = 0;
    while (true) {
        pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            return std::nullopt;
        if (Clock::now() >= deadline) {
            timedOut = true;
            ::kill(-pid, SIGKILL);
            ::kill(pid, SIGKILL);
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            return std::nullopt;
        }
        ::usleep(2000);
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return std::nullopt;
}

} // namespace

ProcessResult runProcess(const ProcessRequest& request) {
    ProcessResult result;
    if (request.executable.empty() || request.executable.front() != '/') {
        result.startErrno = ENOENT;
        return result;
    }

    int pipeFds[2] = {-1, -1};
    if (request.captureStandardOutput && ::pipe2(pipeFds, O_CLOEXEC) != 0) {
        result.startErrno = errno;
        return result;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (request.captureStandardOutput)
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, "/");

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t noSignals, defaultSignals;
    sigemptyset(&noSignals);
    sigemptyset(&defaultSignals);
    sigaddset(&defaultSignals, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &noSignals);
    posix_spawnattr_setsigdefault(&attributes, &defaultSignals);

    std::vector<std::string> argumentTexts{request.executable};
    argumentTexts.insert(argumentTexts.end(), request.arguments.begin(), request.arguments.end());
    std::vector<std::string> environmentTexts = editedEnvironment(request.removedVariablePrefixes);
    auto argv = pointers(argumentTexts);
    auto envp = pointers(environmentTexts);

    pid_t pid = 0;
    int spawnError =
        ::posix_spawn(&pid, request.executable.c_str(), &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (request.captureStandardOutput)
        ::close(pipeFds[1]);
    if (spawnError != 0) {
        if (request.captureStandardOutput)
            ::close(pipeFds[0]);
        result.startErrno = spawnError;
        return result;
    }
    result.started = true;

    const auto deadline = Clock::now() + request.timeLimit;
    if (request.captureStandardOutput) {
        char buffer[65536];
        while (true) {
            struct pollfd descriptor {
                pipeFds[0], POLLIN, 0
            };
            int ready = ::poll(&descriptor, 1, remainingMilliseconds(deadline));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready == 0) {
                if (Clock::now() >= deadline)
                    break;
                continue;
            }
            ssize_t count = ::read(pipeFds[0], buffer, sizeof buffer);
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0)
                break;
            result.standardOutput.append(buffer, static_cast<std::size_t>(count));
        }
        ::close(pipeFds[0]);
    }
    result.exitStatus = waitForExit(pid, deadline, result.timedOut);
    return result;
}

} // namespace zn
