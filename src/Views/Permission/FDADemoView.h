#pragma once

#include "Platform/qt/Clock.h"
#include "Platform/qt/QtClock.h"

#include <QFrame>

#include <memory>
#include <optional>
#include <vector>

namespace zn {

class AnimatedValue;

// A small looping picture of what to do in the system's settings: a mock of the "Full Disk Access" list
// with three programs, in which this program's row lights up, its switch turns on and a check mark
// appears, over and over. Pure presentation. The loop runs on the clock only while the view is shown;
// hiding it cancels the steps still to come, so showing it again never runs two loops side by side.
// Also used by the onboarding's access page.
class FDADemoView : public QFrame {
    Q_OBJECT

public:
    enum class Frame { idle = 0, highlight = 1, toggleOn = 2, granted = 3, hold = 4 };
    static std::optional<Frame> frameFromRawValue(int rawValue);

    // One loop, from its start to the step that starts the next.
    static constexpr std::chrono::milliseconds kLoopDuration{4700};

    explicit FDADemoView(std::shared_ptr<Clock> clock = std::make_shared<QtClock>(), QWidget* parent = nullptr);

    Frame frame() const { return frame_; }
    bool isActive() const { return isActive_; }
    // The list's card inside the widget (the widget keeps room for its shadow around it).
    QRectF cardRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void frameChanged(FDADemoView::Frame frame);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct DemoRow {
        const char* name;
        const char* systemImage;
        bool isZelvaNexal;
    };

    void cycle();
    void cancelPendingSteps();
    void setFrame(Frame frame);
    void paintCard(QPainter& painter, const QRectF& card) const;
    void paintTitleBar(QPainter& painter, const QRectF& bar) const;
    void paintRow(QPainter& painter, const QRectF& row, const DemoRow& demoRow) const;
    void paintCaption(QPainter& painter, const QRectF& caption) const;

    std::shared_ptr<Clock> clock_;
    Frame frame_ = Frame::idle;
    bool isActive_ = true;
    std::vector<ScheduledCall> pendingSteps_;
    // This program's row as drawn: its highlight, its check mark and its switch's knob, each 0..1.
    AnimatedValue* highlight_;
    AnimatedValue* tick_;
    AnimatedValue* knob_;
};

} // namespace zn
