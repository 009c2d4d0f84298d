#pragma once

#include "Models/CleaningCategory.h"

#include <QWidget>

#include <cstdint>

namespace zn {

// One category found so far during a scan: its tile, its name and the bytes found, with a hairline under it
// unless it is the last row.
class LiveResultRow : public QWidget {
    Q_OBJECT

public:
    explicit LiveResultRow(QWidget* parent = nullptr);

    void setResult(CleaningCategory category, std::int64_t totalSize);
    void setShowsDivider(bool shows);
    CleaningCategory category() const { return category_; }
    bool showsDivider() const { return showsDivider_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CleaningCategory category_ = CleaningCategory::smartScan;
    std::int64_t totalSize_ = 0;
    bool showsDivider_ = false;
};

} // namespace zn
