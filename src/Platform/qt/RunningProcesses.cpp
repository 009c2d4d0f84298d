#include "Platform/qt/RunningProcesses.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <dirent.h>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {

namespace {

std::optional<pid_t> processIdFromName(const char* name) {
    std::string_view text(name);
    pid_t pid = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (error != std::errc() || end != text.data() + text.size() || pid <= 0)
        return std::nullopt;
    return pid;
}

// "pid (comm) state ppid ...": the command name may hold spaces and parentheses, so the fields after it
// are read from behind the last ")".
std::optional<pid_t> parentFromStat(const std::string& statPath) {
    std::ifstream file(statPath);
    std::string line;
    if (!std::getline(file, line))
        return std::nullopt;
    auto close = line.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(line.substr(close + 1));
    std::string state;
    pid_t parent = 0;
    if (!(fields >> state >> parent))
        return std::nullopt;
    return parent;
}

std::optional<std::string> executableOf(const std::string& exeLink) {
    char buffer[PATH_MAX];
    ssize_t length = ::readlink(exeLink.c_str(), buffer, sizeof buffer);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer)
        return std::nullopt;
    std::string path(buffer, static_cast<std::size_t>(length));
    constexpr std::string_view deletedMark = " (deleted)";
    if (path.ends_with(deletedMark))
        path.erase(path.size() - deletedMark.size());
    return path;
}

} // namespace

std::vector<ProcessEntry> readProcessTable(const std::string& procRoot) {
    std::vector<ProcessEntry> entries;
    DIR* directory = ::opendir(procRoot.c_str());
    if (!directory)
        return entries;
    while (dirent* child = ::readdir(directory)) {
        auto pid = processIdFromName(child->d_name);
        if (!pid)
            continue;
        std::string folder = procRoot + "/" + child->d_name;
        struct stat info {};
        if (::lstat(folder.c_str(), &info) != 0)
            continue;
        auto parent = parentFromStat(folder + "/stat");
        auto executable = executableOf(folder + "/exe");
        if (!parent || !executable)
            continue;
        entries.push_back({*pid, *parent, info.st_uid, *executable});
    }
    ::closedir(directory);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.pid < b.pid; });
    return entries;
}

} // namespace zn
