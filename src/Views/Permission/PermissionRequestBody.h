#pragma once

#include <QWidget>

namespace zn {

class AnimatedValue;
class AppBundleDragHandle;
class BlockedPathList;
class BorderedButton;
class BreathingValue;
class FallbackActionButton;
class LinkButton;
class PermissionCoordinator;

// The permission sheet's body while access is missing: the draggable program tile beside "Open access
// settings", the three steps, the waiting row with its help toggle, the help panel for a program the
// system does not list, and the paths still blocked. It shows the coordinator's state and calls its
// operations; nothing else.
class PermissionRequestBody : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHelpToggleMs = 250;

    PermissionRequestBody(PermissionCoordinator& coordinator, const BreathingValue& pulse,
                          QWidget* parent = nullptr);

    BorderedButton& openSettingsButton() { return *openSettings_; }
    LinkButton& helpToggle() { return *helpToggle_; }
    bool showsHelp() const { return showAdvanced_; }
    QWidget& helpPanel() { return *advancedPanel_; }
    FallbackActionButton& showAppButton() { return *showApp_; }
    FallbackActionButton& askAgainButton() { return *askAgain_; }
    BlockedPathList& blockedList() { return *blockedList_; }
    AppBundleDragHandle& dragHandle() { return *dragHandle_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLayout* makeTileRow();
    QLayout* makeWaitingRow(const BreathingValue& pulse);
    QWidget* makeAdvancedPanel();
    void toggleHelp();
    void revealHelp(double shown);
    void refreshBlockedList();

    PermissionCoordinator& coordinator_;
    bool showAdvanced_ = false;
    AppBundleDragHandle* dragHandle_ = nullptr;
    BorderedButton* openSettings_ = nullptr;
    LinkButton* helpToggle_ = nullptr;
    QWidget* advancedPanel_ = nullptr;
    FallbackActionButton* showApp_ = nullptr;
    FallbackActionButton* askAgain_ = nullptr;
    BlockedPathList* blockedList_ = nullptr;
    AnimatedValue* reveal_;
};

} // namespace zn
