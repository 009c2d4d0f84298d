#pragma once

#include "Models/Tint.h"

#include <QWidget>

#include <string>

namespace zn {

// One thing the program helps with: a tinted icon tile beside a short title and a sentence that wraps as
// far as it needs, on a rounded card of the control background.
class FeatureRow : public QWidget {
    Q_OBJECT

public:
    static constexpr double kTileSide = 36;

    // `darkTint` and `lightTint` colour the tile in each scheme.
    FeatureRow(std::string systemImage, RgbColor darkTint, RgbColor lightTint, const QString& title,
               const QString& body, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string systemImage_;
    RgbColor darkTint_;
    RgbColor lightTint_;
};

} // namespace zn
