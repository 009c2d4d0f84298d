#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>

#include <optional>

namespace zn {

// The user-defaults store: one INI file of settings under the keys the application names
// ("ZelvaNexal.OnboardingComplete", ...). Main thread only.
class UserDefaults {
public:
    explicit UserDefaults(const QString& iniFilePath);

    // The application's own store, "<bundle identifier>.ini" in the user's XDG configuration folder.
    static UserDefaults& standard();

    // False when the key is missing, as the platform answers.
    bool boolForKey(const QString& key) const;
    void setBool(bool value, const QString& key);
    std::optional<QString> stringForKey(const QString& key) const;
    void setString(const QString& value, const QString& key);
    std::optional<QByteArray> dataForKey(const QString& key) const;
    void setData(const QByteArray& value, const QString& key);

private:
    mutable QSettings settings_;
};

} // namespace zn
