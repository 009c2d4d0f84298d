#pragma once

#include "Models/Tint.h"
#include "ViewModels/AppSection.h"
#include "Views/Kit/Theme/ColorSource.h"

#include <QAbstractButton>
#include <QColor>

#include <optional>
#include <string>

namespace zn {

// One place of the sidebar: a tinted icon tile (or the product's tile), its label and an optional badge.
// The selected row takes the accent: a soft filled background with a hairline edge, a semibold label and
// an accent badge. The whole rounded row is the click target.
class SidebarRow : public QAbstractButton {
    Q_OBJECT

public:
    struct Definition {
        AppSection section;
        QString label;
        std::string icon;
        ColorSource tint;
        bool usesNexalIcon = false;
    };

    static constexpr int kHeight = 44;

    explicit SidebarRow(Definition definition, QWidget* parent = nullptr);

    const AppSection& section() const { return definition_.section; }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);
    const std::optional<QString>& badge() const { return badge_; }
    void setBadge(std::optional<QString> badge);
    // The tile's colour now: the accent when selected, the row's own tint otherwise.
    QColor iconColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override;

private:
    Definition definition_;
    bool selected_ = false;
    std::optional<QString> badge_;
};

} // namespace zn
