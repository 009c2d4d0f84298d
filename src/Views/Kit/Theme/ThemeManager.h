#pragma once

#include "Models/AppearanceMode.h"

#include <QObject>
#include <QString>

namespace zn {

class UserDefaults;

// The user's appearance choice, kept in the defaults store under "ZelvaNexal.Appearance" (default "system").
// Every write announces itself, so the windows derive their scheme again.
class ThemeManager : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kAppearanceKey = "ZelvaNexal.Appearance";

    explicit ThemeManager(UserDefaults& defaults, QObject* parent = nullptr);

    // The stored text, or "system" when nothing is stored.
    QString rawValue() const;
    void setRawValue(const QString& rawValue);

    // The choice as the appearance switch shows it: "dark" and "light" as themselves, any other text as
    // `system`.
    AppearanceMode mode() const;
    void setMode(AppearanceMode mode);

signals:
    void objectWillChange();

private:
    UserDefaults& defaults_;
};

} // namespace zn
