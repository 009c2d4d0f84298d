#pragma once

#include <QAbstractButton>

namespace zn {

// One choice of a radio group: a round indicator, a label and a caption in a smaller, quieter font below
// it. Options of one group are exclusive.
class RadioOption : public QAbstractButton {
    Q_OBJECT

public:
    RadioOption(const QString& label, const QString& caption, QWidget* parent = nullptr);

    const QString& caption() const { return caption_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
};

} // namespace zn
