#pragma once

#include <QComboBox>

namespace zn {

// A choice among a few texts as the design's platform shows it: a raised button with the chosen text and a
// small accent square with up and down chevrons at its trailing end; a click opens the list.
class PopUpButton : public QComboBox {
    Q_OBJECT

public:
    explicit PopUpButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zn
