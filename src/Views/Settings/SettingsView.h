#pragma once

#include <QWidget>

namespace zn {

// The settings window's content. For now the program's name and version; the schedule settings join it
// once scheduled runs exist.
class SettingsView : public QWidget {
    Q_OBJECT

public:
    explicit SettingsView(QWidget* parent = nullptr);

    // "Version %@" with the bundle's short version, or "1.0" when it has none.
    static QString versionText();
};

} // namespace zn
