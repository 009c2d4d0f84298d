#pragma once

#include <QAbstractButton>

#include <string>

namespace zn {

// A plain button of a help panel: a tinted symbol tile, a title and a one-line explanation on a quiet
// rounded face. The tile is gold in the dark scheme and blue in the light one.
class FallbackActionButton : public QAbstractButton {
    Q_OBJECT

public:
    FallbackActionButton(std::string systemName, const QString& title, const QString& subtitle,
                         QWidget* parent = nullptr);

    const QString& subtitle() const { return subtitle_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string systemName_;
    QString subtitle_;
};

} // namespace zn
