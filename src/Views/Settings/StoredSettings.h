#pragma once

#include "Models/SearchSensitivity.h"

#include <QString>

namespace zn {

class UserDefaults;

// A whole number the settings window steps through: `minimum` to `maximum` in steps of `step`.
struct StepRange {
    qint64 minimum;
    qint64 maximum;
    qint64 step;

    // The nearest value on a step of the range (halves round up), inside the range.
    qint64 snapped(qint64 value) const;
};

// The preferences of the General and Cleaning tabs, each read from and written to its own key of the
// defaults store at every use; a missing or unreadable value reads as the setting's default. Only these
// tabs read them: no engine follows them.
class StoredSettings {
public:
    static constexpr const char* kLaunchAtLoginKey = "settings.general.launchAtLogin";
    static constexpr const char* kSensitivityKey = "settings.general.searchSensitivity";
    static constexpr const char* kConfirmBeforeDeleteKey = "settings.general.confirmBeforeDelete";
    static constexpr const char* kSkipHiddenFilesKey = "settings.cleaning.skipHiddenFiles";
    static constexpr const char* kLargeFileThresholdKey = "settings.cleaning.largeFileThreshold";
    static constexpr const char* kOldFileMonthsKey = "settings.cleaning.oldFileMonths";
    static constexpr StepRange kLargeFileThresholdRange{10, 1000, 10};
    static constexpr StepRange kOldFileMonthsRange{1, 60, 1};

    explicit StoredSettings(UserDefaults& defaults) : defaults_(defaults) {}

    bool launchAtLogin() const;
    void setLaunchAtLogin(bool on);
    // `enhanced` unless the stored text is exactly one of the raw values.
    SearchSensitivity sensitivity() const;
    void setSensitivity(SearchSensitivity sensitivity);
    bool confirmBeforeDelete() const;
    void setConfirmBeforeDelete(bool on);
    bool skipHiddenFiles() const;
    void setSkipHiddenFiles(bool on);
    qint64 largeFileThresholdMB() const;
    void setLargeFileThresholdMB(qint64 megabytes);
    qint64 oldFileMonths() const;
    void setOldFileMonths(qint64 months);

private:
    bool boolValue(const char* key, bool fallback) const;
    qint64 integerValue(const char* key, qint64 fallback) const;

    UserDefaults& defaults_;
};

} // namespace zn
