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

    // Whether anything is stored under the key.
    bool hasValue(const QString& key) const;
    // False when the key is missing, as the platform answers.
    bool boolForKey(const QString& key) const;
    void setBool(bool value, const QString& key);
    // None when the key is missing or its value is not a whole number.
    std::optional<qint64> integerForKey(const QString& key) const;
    void setInteger(qint64 value, const QString& key);
    std::optional<QString> stringForKey(const QString& key) const;
    void setString(const QString& value, const QString& key);
    std::optional<QByteArray> dataForKey(const QString& key) const;
    void setData(const QByteArray& value, const QString& key);

private:
    mutable QSettings settings_;
};

} // namespace zn
