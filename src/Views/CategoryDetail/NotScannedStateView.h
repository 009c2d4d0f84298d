#pragma once

#include "Models/CleaningCategory.h"

#include <QWidget>

namespace zn {

class ActionButton;
class CategoryIconTile;
class TextLabel;

// What a category's screen shows before its first scan: the category's tile, a line on what a scan finds
// and the Scan button.
class NotScannedStateView : public QWidget {
    Q_OBJECT

public:
    explicit NotScannedStateView(CleaningCategory category, QWidget* parent = nullptr);

    void setCategory(CleaningCategory category);
    void setBusy(bool busy);

    const TextLabel& description() const { return *description_; }
    ActionButton& scanButton() const { return *scan_; }

signals:
    void scanPressed();

private:
    CategoryIconTile* tile_;
    TextLabel* description_;
    ActionButton* scan_;
};

} // namespace zn
