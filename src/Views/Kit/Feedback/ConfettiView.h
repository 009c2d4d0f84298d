#pragma once

#include "Platform/qt/Clock.h"
#include "Views/Kit/Feedback/ConfettiBurst.h"

#include <QVariantAnimation>
#include <QWidget>

#include <memory>
#include <vector>

namespace zn {

// Where a confetti overlay takes its time and its randomness; tests give a fake clock and a fixed sequence.
struct ConfettiSources {
    std::shared_ptr<Clock> clock;
    RandomSource random;

    // The wall clock and a randomly seeded generator.
    static ConfettiSources live();
};

// A transparent overlay over its parent (it follows the parent's size) that drops one burst of paper confetti each time its trigger turns from false to
// true. It never takes a click. Each burst stops giving birth after 1.2 seconds (or is removed at once
// then, if the overlay is no longer on screen) and is removed after 4 seconds; bursts overlap freely.
// With no burst in flight it is hidden: it draws nothing and no frame timer runs.
class ConfettiView : public QWidget {
    Q_OBJECT

public:
    explicit ConfettiView(ConfettiSources sources = ConfettiSources::live(), QWidget* parent = nullptr);

    // Bursts once when `trigger` is true and the last trigger seen was false (false before the first).
    void setTrigger(bool trigger);
    bool trigger() const { return lastTrigger_; }

    // The bursts in flight, oldest first.
    std::size_t burstCount() const { return bursts_.size(); }
    const ConfettiBurst& burst(std::size_t index) const { return bursts_[index]->burst; }
    // Whether frames are being drawn (only while a burst flies and motion is on).
    bool isAnimating() const { return frames_.state() == QAbstractAnimation::Running; }
    // The pieces on screen now, of every burst.
    std::vector<ConfettiPiece> piecesNow() const;

signals:
    void burstStarted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Flight {
        ConfettiBurst burst;
        Date start;
        ScheduledCall stop;
        ScheduledCall removal;
    };

    void fire();
    void stopBirths(Flight* flight);
    void remove(Flight* flight);
    double elapsed(const Flight& flight) const;
    void nextFrame();

    ConfettiSources sources_;
    bool lastTrigger_ = false;
    std::vector<std::unique_ptr<Flight>> bursts_;
    QVariantAnimation frames_;
    QRectF paintedBounds_;
};

} // namespace zn
