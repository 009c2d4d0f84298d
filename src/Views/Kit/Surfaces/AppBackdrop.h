#pragma once

#include <QWidget>

namespace zn {

// The window background behind a screen's content, filling whatever space it is given.
class AppBackdrop : public QWidget {
    Q_OBJECT

public:
    explicit AppBackdrop(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zn
