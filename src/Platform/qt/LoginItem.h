#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace zn {

// Starting the program when the user logs in, as desktops that follow the XDG autostart specification do:
// a ".desktop" entry for the program in the autostart folder. Main thread.
class LoginItem {
public:
    // `autostartDirectory` holds the entry; `programPath` is what the entry starts.
    LoginItem(QString autostartDirectory, QString programPath);

    // The user's folder: "$XDG_CONFIG_HOME/autostart" when that variable is an absolute path, otherwise
    // "~/.config/autostart".
    static QString defaultAutostartDirectory();
    // This program, in the user's folder.
    static LoginItem forThisProgram();

    // Where the entry lives: "<autostart folder>/<bundle identifier>.desktop".
    QString entryPath() const;
    // The entry's text for a program path; none when the path cannot be written into an entry (a path that
    // is not absolute, or holds a control character).
    static std::optional<QByteArray> entryContents(const QString& programPath);

    // Both return none on success, else a description of what failed. Registering writes the whole entry
    // at once (a half-written file is never left behind), replaces a link at its place rather than
    // writing through it, and creates the folder when it is missing; unregistering an entry that is not
    // there succeeds, and a link there goes as the link.
    std::optional<QString> registerItem() const;
    std::optional<QString> unregisterItem() const;

private:
    QString autostartDirectory_;
    QString programPath_;
};

} // namespace zn
