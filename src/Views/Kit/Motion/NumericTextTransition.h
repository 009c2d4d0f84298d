#pragma once

#include <QObject>
#include <QRectF>
#include <QString>

class QPainter;
class QWidget;

namespace zn {

class AnimatedValue;

// A changing number drawn with monospaced digits that counts up into its new value: the characters that
// changed leave upwards and fade while their successors rise from below; the others stay put. Painted
// widgets own one per figure and draw it in their paint event.
class NumericTextTransition : public QObject {
    Q_OBJECT

public:
    explicit NumericTextTransition(QWidget* owner, QString text = {});

    const QString& text() const { return current_; }
    // Starts the change when the text differs (a jump when motion is off).
    void setText(const QString& text);

    // Draws with the painter's font and pen.
    void paint(QPainter& painter, const QRectF& frame, Qt::Alignment alignment) const;

private:
    QString current_;
    QString previous_;
    AnimatedValue* progress_;
};

} // namespace zn
