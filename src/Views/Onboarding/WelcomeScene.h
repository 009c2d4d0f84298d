#pragma once

#include <QIcon>
#include <QWidget>

namespace zn {

class AnimatedValue;
class WelcomeIcon;

// The first page: the program's icon, its name and what it is for. The name and the line under it rise
// into place and fade in when the onboarding first appears.
class WelcomeScene : public QWidget {
    Q_OBJECT

public:
    static constexpr double kRise = 8;

    WelcomeScene(QIcon appIcon, bool appeared, QWidget* parent = nullptr);

    // The onboarding has appeared: the texts rise and fade in over half a second.
    void setAppeared(bool appeared);
    double appearance() const;
    const WelcomeIcon& icon() const { return *icon_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeTexts();

    WelcomeIcon* icon_;
    QWidget* textsFrame_;
    QWidget* texts_;
    AnimatedValue* appearance_; // 0 hidden and lowered, 1 in place
};

} // namespace zn
