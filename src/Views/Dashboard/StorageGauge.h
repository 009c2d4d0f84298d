#pragma once

#include <QWidget>

namespace zn {

class AnimatedValue;
class NumericTextTransition;

// The disk-use ring of the storage hero: a track, the used share of it drawn clockwise from the top (in the
// warning colour above 85 percent) and the rounded percentage with "USED" in its middle.
class StorageGauge : public QWidget {
    Q_OBJECT

public:
    explicit StorageGauge(QWidget* parent = nullptr);

    // Any fraction; the ring and the number show it limited to 0...1.
    void setPercentUsed(double fraction);
    double clampedFraction() const { return clamped_; }
    QString percentText() const;
    bool showsWarning() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double clamped_ = 0;
    AnimatedValue* arc_;
    NumericTextTransition* figure_;
};

} // namespace zn
