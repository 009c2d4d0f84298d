#pragma once

#include "Models/CleaningCategory.h"
#include "Views/Kit/Surfaces/IconTile.h"

namespace zn {

// A category's symbol on a tile of the category's colour, which follows the colour scheme.
class CategoryIconTile : public IconTile {
    Q_OBJECT

public:
    CategoryIconTile(CleaningCategory category, double size, double corner, QWidget* parent = nullptr);

    void setCategory(CleaningCategory category);

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyColor();

    CleaningCategory category_;
};

} // namespace zn
