#include "Views/Kit/Theme/ThemeManager.h"

#include "Platform/qt/UserDefaults.h"

namespace zn {

ThemeManager::ThemeManager(UserDefaults& defaults, QObject* parent) : QObject(parent), defaults_(defaults) {}

QString ThemeManager::rawValue() const {
    return defaults_.stringForKey(QString::fromLatin1(kAppearanceKey)).value_or(QStringLiteral("system"));
}

void ThemeManager::setRawValue(const QString& rawValue) {
    defaults_.setString(rawValue, QString::fromLatin1(kAppearanceKey));
    emit objectWillChange();
}

AppearanceMode ThemeManager::mode() const {
    return appearanceModeFromRawValue(rawValue().toStdString()).value_or(AppearanceMode::system);
}

void ThemeManager::setMode(AppearanceMode mode) {
    const std::string_view text = zn::rawValue(mode);
    setRawValue(QString::fromUtf8(text));
}

} // namespace zn
