#pragma once

#include <QMargins>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

namespace zn {

class AnimatedValue;

// Holds the page on screen, inside padding. A new page replaces the old one by sliding in from the trailing
// edge while fading in, as the old one slides out to the leading edge and fades; every change moves the
// same way, forward or back.
class PageStage : public QWidget {
    Q_OBJECT

public:
    explicit PageStage(QMargins padding, QWidget* parent = nullptr);

    // Takes `page` and drops the one shown before (deleted once it is off screen).
    void show(QWidget* page);
    QWidget* page() const { return page_; }
    bool isMoving() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    QMargins padding_;
    QPointer<QWidget> page_;
    QPixmap leaving_;         // the old page as it looked when the change began
    AnimatedValue* progress_; // 0 at the start of a change, 1 when the new page is in place
};

} // namespace zn
