#pragma once

#include <QDialog>
#include <QPointer>

namespace zn {

class AnimatedValue;
class BorderedButton;
class BreathingValue;
class LinkButton;
class PermissionCoordinator;
class PermissionGrantedBody;
class PermissionRequestBody;
class PermissionSheetHeader;

// The sheet that asks for Full Disk Access and then confirms that it arrived. It owns no permission
// logic: it shows the coordinator's prompt and calls its operations. A close from outside its own buttons
// (Escape, the window's close button) skips, as "Skip for now" does; closing it after the coordinator
// ended the prompt changes nothing more. Opened with open(), window-modal over its parent.
class PermissionSheet : public QDialog {
    Q_OBJECT

public:
    static constexpr int kWidth = 540;
    static constexpr int kAppearMs = 400;
    // How long "I allowed access" gives its fresh check before it looks at the answer.
    static constexpr int kAllowedCheckMs = 200;

    explicit PermissionSheet(PermissionCoordinator& coordinator, QWidget* parent = nullptr);

    PermissionSheetHeader& header() { return *header_; }
    PermissionRequestBody& requestBody() { return *requestBody_; }
    PermissionGrantedBody& grantedBody() { return *grantedBody_; }
    LinkButton& skipButton() { return *skip_; }
    BorderedButton& allowedButton() { return *allowed_; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* makeFooter();
    void refresh();
    void appear(double appeared);
    void confirmAllowed();

    QPointer<PermissionCoordinator> coordinator_;
    BreathingValue* pulse_;
    AnimatedValue* appeared_;
    PermissionSheetHeader* header_;
    PermissionRequestBody* requestBody_;
    PermissionGrantedBody* grantedBody_;
    LinkButton* skip_ = nullptr;
    BorderedButton* allowed_ = nullptr;
};

} // namespace zn
