#pragma once

#include "Models/DiskInfo.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace zn::dashboard {

// `part` over `total`, 0 for a total below one byte.
double share(std::int64_t part, std::int64_t total);
// Used over total, 0 for a disk of size 0: the storage hero's fraction.
double percentUsed(const DiskInfo& disk);
// Total less free over total, 0 for a disk of size 0: the free-space card's fraction.
double percentNotFree(const DiskInfo& disk);

// Low on space: more than 85 percent used.
bool isLowSpace(double percentUsed);

// A fraction as a whole percentage for progress texts: truncated toward zero (0.999 gives 99).
long long truncatedPercent(double fraction);
// A fraction of the disk as a whole percentage, as the storage gauge shows it: limited to 0...1, then
// rounded, halves away from zero (0.625 gives 63). Every text that shows the disk's use follows it, so one
// figure never appears twice with two different roundings.
long long diskPercent(double fraction);
// The part of the storage bar that marks what a scan found: found over total, at most 0.4.
double foundFraction(std::int64_t found, std::int64_t total);
// The share of the ring a scanning gauge draws: never less than 0.05 nor more than 0.95.
double scanningArcFraction(double progress);

QString freeOfText(std::int64_t total);
QString percentUsedText(double fraction);
QString freeSpaceDelta(std::int64_t total, double fraction);
QString currentlyInText(const std::string& currentScanCategory);
QString scanProgressText(double progress);
QString percentCompleteText(double progress);
QString reviewSelectedLabel(bool needsReview, std::int64_t selectedBytes);
QString itemsCountText(std::size_t count);
QString acrossCategoriesText(std::size_t count);
QString isUsingText(std::string_view name, std::int64_t bytes);

} // namespace zn::dashboard
