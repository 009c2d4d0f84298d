#pragma once

#include <QObject>

#include <chrono>

class QWidget;

namespace zn {

class AnimatedValue;

// Brings a widget in and out with a fade combined with a scale about its centre: it grows from nothing
// while it fades in, and shrinks away while it fades out, and is hidden only then (it keeps its place in
// the layout until it has gone). With motion off it is simply shown or hidden.
class ScaleFade : public QObject {
    Q_OBJECT

public:
    ScaleFade(QWidget& widget, std::chrono::milliseconds duration);

    // Shows or hides the widget, with the transition when `animated`.
    void setPresent(bool present, bool animated);
    bool isPresent() const { return present_; }
    // How far the widget is there: 0 gone, 1 whole; its opacity and its scale.
    double amount() const;

private:
    void apply();

    QWidget& widget_;
    std::chrono::milliseconds duration_;
    AnimatedValue* amount_;
    bool present_;
};

} // namespace zn
