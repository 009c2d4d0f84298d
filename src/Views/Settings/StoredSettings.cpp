#include "Views/Settings/StoredSettings.h"

#include "Platform/qt/UserDefaults.h"

#include <algorithm>

namespace zn {

namespace {
QString keyText(const char* key) {
    return QString::fromLatin1(key);
}
} // namespace

qint64 StepRange::snapped(qint64 value) const {
    const qint64 clamped = std::clamp(value, minimum, maximum);
    const qint64 steps = (clamped - minimum + step / 2) / step;
    return std::min(minimum + steps * step, maximum);
}

bool StoredSettings::boolValue(const char* key, bool fallback) const {
    return defaults_.hasValue(keyText(key)) ? defaults_.boolForKey(keyText(key)) : fallback;
}

qint64 StoredSettings::integerValue(const char* key, qint64 fallback) const {
    return defaults_.integerForKey(keyText(key)).value_or(fallback);
}

bool StoredSettings::launchAtLogin() const {
    return boolValue(kLaunchAtLoginKey, false);
}

void StoredSettings::setLaunchAtLogin(bool on) {
    defaults_.setBool(on, keyText(kLaunchAtLoginKey));
}

SearchSensitivity StoredSettings::sensitivity() const {
    const std::optional<QString> stored = defaults_.stringForKey(keyText(kSensitivityKey));
    if (!stored)
        return SearchSensitivity::enhanced;
    return searchSensitivityFromRawValue(stored->toStdString()).value_or(SearchSensitivity::enhanced);
}

void StoredSettings::setSensitivity(SearchSensitivity sensitivity) {
    const std::string_view text = rawValue(sensitivity);
    defaults_.setString(QString::fromUtf8(text), keyText(kSensitivityKey));
}

bool StoredSettings::confirmBeforeDelete() const {
    return boolValue(kConfirmBeforeDeleteKey, true);
}

void StoredSettings::setConfirmBeforeDelete(bool on) {
    defaults_.setBool(on, keyText(kConfirmBeforeDeleteKey));
}

bool StoredSettings::skipHiddenFiles() const {
    return boolValue(kSkipHiddenFilesKey, true);
}

void StoredSettings::setSkipHiddenFiles(bool on) {
    defaults_.setBool(on, keyText(kSkipHiddenFilesKey));
}

qint64 StoredSettings::largeFileThresholdMB() const {
    return integerValue(kLargeFileThresholdKey, 100);
}

void StoredSettings::setLargeFileThresholdMB(qint64 megabytes) {
    defaults_.setInteger(megabytes, keyText(kLargeFileThresholdKey));
}

qint64 StoredSettings::oldFileMonths() const {
    return integerValue(kOldFileMonthsKey, 12);
}

void StoredSettings::setOldFileMonths(qint64 months) {
    defaults_.setInteger(months, keyText(kOldFileMonthsKey));
}

} // namespace zn
