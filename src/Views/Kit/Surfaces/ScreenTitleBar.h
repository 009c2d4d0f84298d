#pragma once

#include <QWidget>

class QHBoxLayout;

namespace zn {

class TextLabel;

// The top of a detail screen: its title at the leading edge and its toolbar items at the trailing edge,
// over a hairline separator.
class ScreenTitleBar : public QWidget {
    Q_OBJECT

public:
    explicit ScreenTitleBar(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const;
    // Toolbar items, left to right in the order added.
    void addItem(QWidget* item);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TextLabel* title_;
    QHBoxLayout* items_;
};

} // namespace zn
