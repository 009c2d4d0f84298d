#pragma once

#include <QMainWindow>

namespace zn {

class ZelvaNexalApp;

// A window of the "main" group: onboarding until it is complete, then the main window, switching when the
// flag changes. Closing it destroys it; the program keeps running in the tray.
class AppWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr QSize kDefaultSize{1280, 760};

    explicit AppWindow(ZelvaNexalApp& app);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void showContent();

    ZelvaNexalApp& app_;
    bool configuredMenuBar_ = false;
};

} // namespace zn
