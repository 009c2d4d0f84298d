#pragma once

#include <QWidget>

#include <functional>
#include <memory>

namespace zn {

class AppBundleDragHandle;
class BorderedButton;
class Clock;
class FDADemoView;
class LinkButton;
class ScaleFade;
class TextLabel;

// The third page: why the program asks for Full Disk Access, a short film of the switch to turn on, and the
// ways to get there: the settings pane, dragging the program into the list, and (once the pane has been
// opened) revealing the program again or resetting its entry. With access granted it says so instead.
class PermissionScene : public QWidget {
    Q_OBJECT

public:
    struct Actions {
        std::function<void()> openSettings;
        std::function<void()> revealAppInFinder;
        std::function<void()> resetPermissions;
    };

    // The demonstration's loop runs on `clock`.
    PermissionScene(bool hasFda, bool hasOpenedSettings, Actions actions, std::shared_ptr<Clock> clock,
                    QWidget* parent = nullptr);

    void setHasFda(bool hasFda);
    void setHasOpenedSettings(bool opened);

    const TextLabel& title() const { return *title_; }
    const TextLabel& subtitle() const { return *subtitle_; }
    const FDADemoView& demonstration() const { return *demo_; }
    const AppBundleDragHandle& dragHandle() const { return *dragHandle_; }
    BorderedButton& settingsButton() const { return *settingsButton_; }
    LinkButton& revealLink() const { return *reveal_; }
    LinkButton& resetLink() const { return *reset_; }
    // The line shown once access is granted, and the row of ways to get it shown until then. The line
    // comes and goes with a fade combined with a scale.
    QWidget& grantedLine() const { return *granted_; }
    QWidget& guidance() const { return *guidance_; }
    QWidget& tip() const { return *tip_; }
    QWidget& links() const { return *links_; }

private:
    void showState(bool animated);

    bool hasFda_;
    bool hasOpenedSettings_;
    TextLabel* title_;
    TextLabel* subtitle_;
    FDADemoView* demo_;
    QWidget* granted_;
    ScaleFade* grantedTransition_;
    QWidget* guidance_;
    AppBundleDragHandle* dragHandle_;
    BorderedButton* settingsButton_;
    QWidget* links_;
    LinkButton* reveal_;
    LinkButton* reset_;
    QWidget* tip_;
};

} // namespace zn
