#pragma once

#include <QWidget>

namespace zn {

// The second page: what the program helps with, in three feature rows.
class MissionScene : public QWidget {
    Q_OBJECT

public:
    explicit MissionScene(QWidget* parent = nullptr);
};

} // namespace zn
