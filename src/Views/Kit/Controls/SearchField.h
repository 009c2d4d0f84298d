#pragma once

#include <QLineEdit>

namespace zn {

// The toolbar's search field: a rounded, softly filled field with a magnifying glass, a prompt and a clear
// button.
class SearchField : public QLineEdit {
    Q_OBJECT

public:
    explicit SearchField(const QString& prompt, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateIcon();

    QAction* glass_;
};

} // namespace zn
