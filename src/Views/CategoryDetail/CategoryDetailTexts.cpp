#include "Views/CategoryDetail/CategoryDetailTexts.h"

#include "Platform/core/ByteCountFormatter.h"
#include "Views/Kit/Theme/DisplayText.h"

namespace zn {

QString cleanConfirmationTitle(std::int64_t selectedSize) {
    return filledText("Review before cleaning %@", {formatByteCount(selectedSize)});
}

QString cleanItemsLabel(std::int64_t count, bool needsReview) {
    return filledText(needsReview ? "Review %lld items" : "Clean %lld items",
                      {static_cast<long long>(count)});
}

QString itemsAndSizeText(std::int64_t itemCount, std::int64_t totalSize) {
    return filledText("%lld items \u00b7 %@",
                      {static_cast<long long>(itemCount), formatByteCount(totalSize)});
}

QString selectionSummaryText(std::int64_t selectedCount) {
    if (selectedCount == 0)
        return QStringLiteral("Nothing selected");
    return filledText("%lld selected", {static_cast<long long>(selectedCount)});
}

QString selectedSizeSummaryText(std::int64_t selectedSize) {
    if (selectedSize < 1)
        return QStringLiteral("Choose files to clean");
    return filledText("%@ selected", {formatByteCount(selectedSize)});
}

QString listHeaderText(std::int64_t selectedCount, std::int64_t itemCount) {
    return filledText("%lld of %lld selected",
                      {static_cast<long long>(selectedCount), static_cast<long long>(itemCount)});
}

QString notScannedDescription(CleaningCategory category) {
    if (category == CleaningCategory::privacySweep)
        return QStringLiteral(
            "Clear browser history, downloads, and website traces without touching bookmarks or passwords.");
    return QStringLiteral("Run a scan to see what Zelva Nexal can clean here.");
}

} // namespace zn
