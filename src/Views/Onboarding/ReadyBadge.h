#pragma once

#include <QWidget>

namespace zn {

class AnimatedValue;

// The last page's badge: a large symbol on a faint disc of its colour, a check mark in green with access
// and a waving hand without. It pops to a little larger than its size once, when it is first shown.
class ReadyBadge : public QWidget {
    Q_OBJECT

public:
    static constexpr double kDiscSide = 110;
    static constexpr double kPoppedScale = 1.05;

    explicit ReadyBadge(bool hasFda, QWidget* parent = nullptr);

    void setHasFda(bool hasFda);
    QColor badgeColor() const;
    const char* symbol() const;
    double scale() const;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool hasFda_;
    AnimatedValue* scale_;
};

} // namespace zn
