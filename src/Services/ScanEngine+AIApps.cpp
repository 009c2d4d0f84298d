#include "Services/ScanEngine+CleanupTargets.h"

#include <array>

namespace zn {

namespace {

// Logs, caches and saved state go by default; prompt history and conversations are the user's own work,
// offered for review only.
struct AIAppTarget {
    const char* name;
    const char* homeSuffix;
    bool isSelected;
    std::int64_t minimumSize;
};

constexpr std::array<AIAppTarget, 8> kAIAppTargets{{
    {"Ollama activity files", "/.ollama/logs", true, 1024},
    {"Ollama extra files", "/Library/Caches/ollama", true, 1024},
    {"Ollama app support files", "/Library/Caches/com.electron.ollama", true, 1024},
    {"Ollama WebKit Data", "/Library/WebKit/com.electron.ollama", true, 1024},
    {"Ollama Saved State", "/Library/Saved Application State/com.electron.ollama.savedState", true, 1024},
    {"Ollama prompt history (review)", "/.ollama/history", false, 0},
    {"LM Studio activity files", "/.lmstudio/server-logs", true, 1024},
    {"LM Studio conversations (review)", "/.lmstudio/conversations", false, 0},
}};

} // namespace

CategoryResult ScanEngine::scanAIAppsLocked() {
    std::vector<CleanupTarget> targets;
    for (const AIAppTarget& target : kAIAppTargets)
        targets.push_back({target.name, home_ + target.homeSuffix, target.isSelected, target.minimumSize});
    return scanCleanupTargetsLocked(targets, CleaningCategory::aiApps);
}

} // namespace zn
