#include "Views/Dashboard/Suggestion.h"

#include "ViewModels/AppState.h"
#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Kit/Theme/DisplayText.h"
#include "Views/Kit/Theme/SchemeColors.h"

namespace zn {

std::vector<Suggestion> suggestionsFor(const AppState& state) {
    std::vector<Suggestion> suggestions;
    // The earliest of equal largest results wins.
    const CategoryResult* largest = nullptr;
    for (const CategoryResult* result : state.shownResults())
        if (!largest || result->totalSize > largest->totalSize)
            largest = result;
    if (largest && largest->totalSize > 0) {
        const CleaningCategory category = largest->category;
        suggestions.push_back({std::string(icon(category)),
                               ColorSource(std::function<QColor(ColorScheme)>([category](ColorScheme scheme) {
                                   return qColor(color(category, scheme));
                               })),
                               dashboard::isUsingText(displayName(category), largest->totalSize),
                               QString::fromUtf8(description(category)), bytesText(largest->totalSize)});
    }
    if (!state.hasFullDiskAccess())
        suggestions.push_back(
            {"lock.shield.fill", ColorSource(attentionColor),
             QStringLiteral("Allow access for browser privacy cleanup"),
             QStringLiteral("Safari and some browser traces may stay hidden until you allow access."),
             QStringLiteral("Action")});
    return suggestions;
}

} // namespace zn
