#include "Logic/Utilities/Logger.h"
#include "Platform/core/FileSystem.h"
#include "Platform/core/Process.h"
#include "Platform/core/Utf8.h"
#include "Services/ScanEngine.h"

namespace zn {

namespace {

constexpr const char* kRunCommandSource = "runCommandReadingStdout(executable:args:)";

std::string commandLine(const std::string& executable, const std::vector<std::string>& args) {
    std::string text = executable + " ";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            text.push_back(' ');
        text.append(args[i]);
    }
    return text;
}

} // namespace

std::optional<std::string> ScanEngine::runCommandReadingStdoutLocked(const std::string& executable,
                                                                     const std::vector<std::string>& args) {
    ProcessRequest request{executable, args};
    request.timeLimit = options_.toolTimeLimit;
    ProcessResult result = runProcess(request);
    if (!result.started) {
        Logger::shared().log(commandLine(executable, args) +
                                 " failed: " + fileErrorDescription(result.startErrno),
                             LogLevel::warning, kRunCommandSource);
        return std::nullopt;
    }
    if (result.timedOut) {
        // Without a limit a hung tool would hold the engine, and every later scan, forever.
        Logger::shared().log(commandLine(executable, args) + " failed: " + toolTimeLimitDescription(),
                             LogLevel::warning, kRunCommandSource);
        return std::nullopt;
    }
    if (!result.succeeded() || !isValidUtf8(result.standardOutput))
        return std::nullopt;
    return std::move(result.standardOutput);
}

std::string ScanEngine::toolTimeLimitDescription() const {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(options_.toolTimeLimit).count();
    return "still running after " + std::to_string(seconds) + " s; stopped";
}

} // namespace zn
