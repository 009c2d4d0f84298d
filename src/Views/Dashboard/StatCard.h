#pragma once

#include "Views/Kit/Theme/ColorSource.h"

#include <QFrame>

#include <optional>
#include <string>

namespace zn {

class NumericTextTransition;
class PressableScale;

// One figure of the statistics grid: a tinted tile and an upper-case caption, the figure, and an optional
// line under it. It grows a little under the pointer.
class StatCard : public QFrame {
    Q_OBJECT

public:
    // `symbol` names the tile's symbol; none shows the product mark on a strongly tinted tile.
    StatCard(std::optional<std::string> symbol, ColorSource tint, QString label, QWidget* parent = nullptr);

    void setValue(const QString& value);
    void setDelta(std::optional<QString> delta);
    QString value() const;
    const std::optional<QString>& delta() const { return delta_; }
    const QString& label() const { return label_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<std::string> symbol_;
    ColorSource tint_;
    QString label_;
    std::optional<QString> delta_;
    NumericTextTransition* value_;
    PressableScale* feedback_;
};

} // namespace zn
