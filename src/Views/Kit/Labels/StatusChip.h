#pragma once

#include "Models/Tint.h"

#include <QColor>
#include <QWidget>

#include <optional>
#include <string>

namespace zn {

// A small tinted capsule with a label and an optional symbol before it.
class StatusChip : public QWidget {
    Q_OBJECT

public:
    StatusChip(QString label, std::optional<std::string> systemImage, QColor tint, QWidget* parent = nullptr);

    // The chip's natural size, for painted rows.
    static QSizeF size(const QString& label, const std::optional<std::string>& systemImage);
    static void paint(QPainter& painter, const QRectF& frame, ColorScheme scheme, const QString& label,
                      const std::optional<std::string>& systemImage, const QColor& tint);

    void setTint(const QColor& tint);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString label_;
    std::optional<std::string> systemImage_;
    QColor tint_;
};

} // namespace zn
