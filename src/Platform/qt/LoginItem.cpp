#include "Platform/qt/LoginItem.h"

#include "Platform/core/Bundle.h"
#include "Platform/core/HomeDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdlib>

namespace zn {

namespace {

// Characters that make the desktop-entry specification ask for a quoted argument.
constexpr QStringView kReservedCharacters = u" \t\"'\\><~|&;$*?#()`";

// One argument of an "Exec" line: quoted when it must be, with the characters a quoted argument escapes.
QString execArgument(const QString& path) {
    QString argument = path;
    argument.replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (!std::any_of(path.begin(), path.end(), [](QChar c) { return kReservedCharacters.contains(c); }))
        return argument;
    QString quoted;
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A string value of a desktop entry: its own escape for the backslash.
QString entryValue(const QString& text) {
    QString value = text;
    return value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}

} // namespace

LoginItem::LoginItem(QString autostartDirectory, QString programPath)
    : autostartDirectory_(std::move(autostartDirectory)), programPath_(std::move(programPath)) {}

QString LoginItem::defaultAutostartDirectory() {
    // The base-directory specification ignores a relative value.
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && configHome[0] == '/')
        return QString::fromLocal8Bit(configHome) + QStringLiteral("/autostart");
    return QString::fromStdString(currentUserHomeDirectory()) + QStringLiteral("/.config/autostart");
}

LoginItem LoginItem::forThisProgram() {
    return LoginItem(defaultAutostartDirectory(), QCoreApplication::applicationFilePath());
}

QString LoginItem::entryPath() const {
    const QString identifier = QString::fromStdString(Bundle::bundleIdentifierOrDefault());
    return autostartDirectory_ + QLatin1Char('/') + identifier + QStringLiteral(".desktop");
}

std::optional<QByteArray> LoginItem::entryContents(const QString& programPath) {
    if (!programPath.startsWith(QLatin1Char('/')) ||
        std::any_of(programPath.begin(), programPath.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return std::nullopt;
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Zelva Nexal\n"
                                        "Comment=Free up space without digging through folders.\n"
                                        "Exec=%1\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(entryValue(execArgument(programPath)));
    return text.toUtf8();
}

std::optional<QString> LoginItem::registerItem() const {
    const std::optional<QByteArray> contents = entryContents(programPath_);
    if (!contents)
        return QStringLiteral("The program's location “%1” cannot be started from an autostart entry.")
            .arg(programPath_);
    if (!QFileInfo(autostartDirectory_).isDir()) {
        // A folder the base-directory specification creates is private to its user.
        if (!QDir().mkpath(autostartDirectory_))
            return QStringLiteral("The folder “%1” couldn’t be created.").arg(autostartDirectory_);
        QFile::setPermissions(autostartDirectory_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // The save writes through a link to whatever it leads to: a link there goes first, so the entry is
    // always a file of our own.
    if (QFileInfo(entryPath()).isSymLink() && !QFile::remove(entryPath()))
        return QStringLiteral("The link “%1” couldn’t be replaced.").arg(entryPath());
    QSaveFile entry(entryPath());
    if (!entry.open(QIODevice::WriteOnly) || entry.write(*contents) != contents->size() || !entry.commit())
        return QStringLiteral("The file “%1” couldn’t be saved: %2").arg(entryPath(), entry.errorString());
    return std::nullopt;
}

std::optional<QString> LoginItem::unregisterItem() const {
    QFile entry(entryPath());
    const QFileInfo info(entryPath());
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    if (!entry.remove())
        return QStringLiteral("The file “%1” couldn’t be removed: %2").arg(entryPath(), entry.errorString());
    return std::nullopt;
}

} // namespace zn
