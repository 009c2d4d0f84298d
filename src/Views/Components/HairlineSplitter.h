#pragma once

#include <QSplitter>

namespace zn {

// A side-by-side split whose divider is a one-point line in the separator colour, grabbable a little
// wider than it looks.
class HairlineSplitter : public QSplitter {
    Q_OBJECT

public:
    explicit HairlineSplitter(QWidget* parent = nullptr);

protected:
    QSplitterHandle* createHandle() override;
};

} // namespace zn
