#pragma once

#include "Logic/Utilities/Logger.h"

#include <optional>
#include <string>
#include <vector>

namespace zn::test {

// The shared logger's entries made after the capture was created. Entries reach the list through the main
// queue, so reading runs the waiting main-queue tasks first. Main thread only.
class LogCapture {
public:
    LogCapture();

    std::vector<LogEntry> entries() const;
    std::vector<std::string> messages() const;

private:
    std::optional<Uuid> lastBefore_;
};

} // namespace zn::test
