#pragma once

#include <QIcon>
#include <QWidget>

namespace zn {

class RepeatingAnimation;

// The welcome page's picture: the program's icon, 120 points, floating on a soft shadow and bobbing up and
// down by 8 points; without an icon, the "sparkles" symbol, still.
class WelcomeIcon : public QWidget {
    Q_OBJECT

public:
    static constexpr double kSide = 120;
    // Room around the icon for its shadow and its bob.
    static constexpr int kMargin = 24;

    explicit WelcomeIcon(QIcon icon, QWidget* parent = nullptr);

    bool showsIcon() const { return !icon_.isNull(); }
    // The icon's vertical offset now: +4 at rest, -4 at the top of a bob.
    double offset() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon icon_;
    RepeatingAnimation* bob_; // one cycle is up and back down
};

} // namespace zn
