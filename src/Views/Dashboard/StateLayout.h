#pragma once

#include <QWidget>

namespace zn {

// The content of the dashboard in one scan state; it reads the application state again on each refresh.
class StateLayout : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    virtual void refresh() = 0;
};

} // namespace zn
