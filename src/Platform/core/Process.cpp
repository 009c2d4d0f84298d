#include "Platform/core/Process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
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

void closeIfOpen(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Writes `input` to `inputFd` and reads `outputFd` to its end, whichever is ready, until both are done
// or the deadline passes; closes both. Either descriptor may be -1 (nothing to do on that side).
void exchangeWithChild(int outputFd, int inputFd, const std::string& input, Clock::time_point deadline,
                       std::string& output) {
    std::size_t written = 0;
    if (inputFd >= 0 && input.empty())
        closeIfOpen(inputFd);
    while (outputFd >= 0 || inputFd >= 0) {
        struct pollfd descriptors[2];
        nfds_t count = 0;
        if (outputFd >= 0)
            descriptors[count++] = {outputFd, POLLIN, 0};
        if (inputFd >= 0)
            descriptors[count++] = {inputFd, POLLOUT, 0};
        int ready = ::poll(descriptors, count, remainingMilliseconds(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            break;
        if (ready == 0) {
            if (Clock::now() >= deadline)
                break;
            continue;
        }
        for (nfds_t index = 0; index < count; ++index) {
            const auto& descriptor = descriptors[index];
            if (descriptor.revents == 0)
                continue;
            if (descriptor.fd == outputFd) {
                char buffer[65536];
                ssize_t got = ::read(outputFd, buffer, sizeof buffer);
                if (got < 0 && (errno == EINTR || errno == EAGAIN))
                    continue;
                if (got <= 0)
                    closeIfOpen(outputFd);
                else
                    output.append(buffer, static_cast<std::size_t>(got));
                continue;
            }
            ssize_t sent =
                ::send(inputFd, input.data() + written, input.size() - written, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (sent < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (sent > 0)
                written += static_cast<std::size_t>(sent);
            if (sent <= 0 || written == input.size()) // done, or the child stopped reading
                closeIfOpen(inputFd);
        }
    }
    closeIfOpen(outputFd);
    closeIfOpen(inputFd);
}

} // namespace

ProcessResult runProcess(const ProcessRequest& request) {
    ProcessResult result;
    if (request.executable.empty() || request.executable.front() != '/') {
        result.startErrno = ENOENT;
        return result;
    }

    int outputFds[2] = {-1, -1};
    if (request.captureStandardOutput && ::pipe2(outputFds, O_CLOEXEC) != 0) {
        result.startErrno = errno;
        return result;
    }
    // A socket rather than a pipe: writing to a child that has stopped reading must not raise SIGPIPE in
    // this process, and send() can say so per call.
    int inputFds[2] = {-1, -1};
    if (request.standardInput && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, inputFds) != 0) {
        result.startErrno = errno;
        closeIfOpen(outputFds[0]);
        closeIfOpen(outputFds[1]);
        return result;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (request.standardInput)
        posix_spawn_file_actions_adddup2(&actions, inputFds[1], STDIN_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (request.captureStandardOutput)
        posix_spawn_file_actions_adddup2(&actions, outputFds[1], STDOUT_FILENO);
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
    closeIfOpen(outputFds[1]);
    closeIfOpen(inputFds[1]);
    if (spawnError != 0) {
        closeIfOpen(outputFds[0]);
        closeIfOpen(inputFds[0]);
        result.startErrno = spawnError;
        return result;
    }
    result.started = true;

    const auto deadline = Clock::now() + request.timeLimit;
    exchangeWithChild(outputFds[0], inputFds[0], request.standardInput ? *request.standardInput : "",
                      deadline, result.standardOutput);
    result.exitStatus = waitForExit(pid, deadline, result.timedOut);
    return result;
}

} // namespace zn
