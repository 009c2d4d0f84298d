#pragma once

#include <QAbstractButton>

namespace zn {

// A button that looks like a link: accent-coloured text, underlined under the pointer.
class LinkButton : public QAbstractButton {
    Q_OBJECT

public:
    LinkButton(const QString& text, const QFont& font, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool hovering_ = false;
};

} // namespace zn
