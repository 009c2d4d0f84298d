#pragma once

#include "Platform/qt/QuestionPrompter.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zn {

// The name shown for one of the seven browsers whose privacy traces the cleaner removes; none for any
// other bundle identifier.
std::optional<std::string_view> browserDisplayName(std::string_view bundleIdentifier);

// The question asked before cleaning browser privacy items while browsers run; one name per running
// instance, in any order.
PromptQuestion browserQuitQuestion(std::vector<std::string> runningBrowserNames);

} // namespace zn
