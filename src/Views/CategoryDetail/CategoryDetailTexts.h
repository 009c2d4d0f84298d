#pragma once

#include "Models/CleaningCategory.h"

#include <QString>

#include <cstdint>

namespace zn {

// The texts of the category detail screen, filled from the state's numbers.
// Also used by the dashboard, for its review question.

// "Review before cleaning %@", with the selected size (the dashboard's review question too).
QString cleanConfirmationTitle(std::int64_t selectedSize);
// The Clean button's tooltip: "Review %lld items" or "Clean %lld items".
QString cleanItemsLabel(std::int64_t count, bool needsReview);
// The hero's line: "%lld items · %@".
QString itemsAndSizeText(std::int64_t itemCount, std::int64_t totalSize);
// "Nothing selected" or "%lld selected"; the number of items does not enter it.
QString selectionSummaryText(std::int64_t selectedCount);
// "Choose files to clean" below one byte, else "%@ selected".
QString selectedSizeSummaryText(std::int64_t selectedSize);
// The list's header: "%lld of %lld selected".
QString listHeaderText(std::int64_t selectedCount, std::int64_t itemCount);
// The invitation to scan a category that has no result yet.
QString notScannedDescription(CleaningCategory category);

} // namespace zn
