#include "Platform/qt/UserDefaults.h"

#include "Platform/core/Bundle.h"

#include <QStandardPaths>

namespace zn {

UserDefaults::UserDefaults(const QString& iniFilePath) : settings_(iniFilePath, QSettings::IniFormat) {}

UserDefaults& UserDefaults::standard() {
    static UserDefaults defaults([] {
        QString identifier =
            QString::fromStdString(Bundle::bundleIdentifierOrDefault());
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" + identifier +
               ".ini";
    }());
    return defaults;
}

bool UserDefaults::hasValue(const QString& key) const {
    return settings_.contains(key);
}

bool UserDefaults::boolForKey(const QString& key) const {
    return settings_.value(key, false).toBool();
}

void UserDefaults::setBool(bool value, const QString& key) {
    settings_.setValue(key, value);
    settings_.sync();
}

std::optional<qint64> UserDefaults::integerForKey(const QString& key) const {
    bool isNumber = false;
    const qint64 number = settings_.value(key).toLongLong(&isNumber);
    if (!isNumber)
        return std::nullopt;
    return number;
}

void UserDefaults::setInteger(qint64 value, const QString& key) {
    settings_.setValue(key, value);
    settings_.sync();
}

std::optional<QString> UserDefaults::stringForKey(const QString& key) const {
    QVariant value = settings_.value(key);
    if (!value.isValid())
        return std::nullopt;
    return value.toString();
}

void UserDefaults::setString(const QString& value, const QString& key) {
    settings_.setValue(key, value);
    settings_.sync();
}

std::optional<QByteArray> UserDefaults::dataForKey(const QString& key) const {
    QVariant value = settings_.value(key);
    if (!value.isValid())
        return std::nullopt;
    return value.toByteArray();
}

void UserDefaults::setData(const QByteArray& value, const QString& key) {
    settings_.setValue(key, value);
    settings_.sync();
}

} // namespace zn
