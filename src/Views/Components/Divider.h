#pragma once

#include <QWidget>

namespace zn {

// A horizontal hairline in the separator colour.
class Divider : public QWidget {
    Q_OBJECT

public:
    explicit Divider(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zn
