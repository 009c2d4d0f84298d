#include "ViewModels/BrowserQuitQuestion.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zn {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kBrowsers{{
    {"com.apple.Safari", "Safari"},
    {"com.google.Chrome", "Chrome"},
    {"com.microsoft.edgemac", "Microsoft Edge"},
    {"org.mozilla.firefox", "Firefox"},
    {"com.operasoftware.Opera", "Opera"},
    {"com.operasoftware.OperaGX", "Opera GX"},
    {"com.brave.Browser", "Brave"},
}};

} // namespace

std::optional<std::string_view> browserDisplayName(std::string_view bundleIdentifier) {
    for (const auto& [identifier, name] : kBrowsers)
        if (identifier == bundleIdentifier)
            return name;
    return std::nullopt;
}

PromptQuestion browserQuitQuestion(std::vector<std::string> runningBrowserNames) {
    std::sort(runningBrowserNames.begin(), runningBrowserNames.end());
    std::string names;
    for (const auto& name : runningBrowserNames)
        names += (names.empty() ? "" : ", ") + name;
    bool single = runningBrowserNames.size() == 1;
    return {"Quit browsers before cleaning?",
            names + " " + (single ? "is" : "are") +
                " open. Browser history and cache can stay locked or be written back while a browser is "
                "running. Zelva Nexal can quit " +
                (single ? "it" : "them") + " now, then clean.",
            "Quit and Clean", "Cancel"};
}

} // namespace zn
