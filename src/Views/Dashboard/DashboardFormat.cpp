#include "Views/Dashboard/DashboardFormat.h"

#include "Platform/core/ByteCountFormatter.h"
#include "Views/Kit/Theme/DisplayText.h"

#include <algorithm>
#include <cmath>

namespace zn::dashboard {

namespace {

// A percentage as a signed 64-bit number, without undefined conversions for figures out of range.
long long toPercent(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double kLimit = 9.2e18;
    return static_cast<long long>(std::clamp(value, -kLimit, kLimit));
}

} // namespace

double share(std::int64_t part, std::int64_t total) {
    return total < 1 ? 0 : static_cast<double>(part) / static_cast<double>(total);
}

double percentUsed(const DiskInfo& disk) {
    return share(disk.usedSpace, disk.totalSpace);
}

double percentNotFree(const DiskInfo& disk) {
    const auto total = static_cast<double>(disk.totalSpace);
    return disk.totalSpace < 1 ? 0 : (total - static_cast<double>(disk.freeSpace)) / total;
}

bool isLowSpace(double percentUsed) {
    return percentUsed > 0.85;
}

long long truncatedPercent(double fraction) {
    return toPercent(std::trunc(fraction * 100));
}

long long diskPercent(double fraction) {
    const double clamped = std::clamp(std::isnan(fraction) ? 0.0 : fraction, 0.0, 1.0);
    return toPercent(std::round(clamped * 100));
}

double foundFraction(std::int64_t found, std::int64_t total) {
    return std::min(share(found, total), 0.4);
}

double scanningArcFraction(double progress) {
    const double upper = progress < 0.95 ? progress : 0.95;
    return upper > 0.05 ? upper : 0.05;
}

QString freeOfText(std::int64_t total) {
    return filledText("free of %@", {formatByteCount(total)});
}

QString percentUsedText(double fraction) {
    return filledText("%lld%% used", {diskPercent(fraction)});
}

QString freeSpaceDelta(std::int64_t total, double fraction) {
    return filledText("of %@ · %lld%% used", {formatByteCount(total), diskPercent(fraction)});
}

QString currentlyInText(const std::string& currentScanCategory) {
    return filledText("Checking: %@", {currentScanCategory});
}

QString scanProgressText(double progress) {
    if (progress <= 0)
        return QStringLiteral("Starting scan...");
    return filledText("%lld%% done", {truncatedPercent(progress)});
}

QString percentCompleteText(double progress) {
    return filledText("%lld%% complete", {truncatedPercent(progress)});
}

QString reviewSelectedLabel(bool needsReview, std::int64_t selectedBytes) {
    return filledText(needsReview ? "Review %@" : "Clean %@ now", {formatByteCount(selectedBytes)});
}

QString itemsCountText(std::size_t count) {
    return filledText("%lld items", {static_cast<long long>(count)});
}

QString acrossCategoriesText(std::size_t count) {
    return filledText("across %lld categories", {static_cast<long long>(count)});
}

QString isUsingText(std::string_view name, std::int64_t bytes) {
    return filledText("%@ is using %@", {std::string(name), formatByteCount(bytes)});
}

} // namespace zn::dashboard
