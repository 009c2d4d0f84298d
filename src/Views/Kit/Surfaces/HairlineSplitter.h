#pragma once

#include <QSplitter>

namespace zn {

// A side-by-side split whose divider is a one-point line, grabbable a little wider than it looks. The
// application's style draws every split view's divider as a hairline in the separator colour.
class HairlineSplitter : public QSplitter {
    Q_OBJECT

public:
    explicit HairlineSplitter(QWidget* parent = nullptr);
};

} // namespace zn
