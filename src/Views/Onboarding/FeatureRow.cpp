#include "Views/Onboarding/FeatureRow.h"

#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Surfaces/IconTile.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>
#include <QVBoxLayout>

namespace zn {

namespace {
constexpr int kPadding = 14;
constexpr int kSpacing = 14;
constexpr double kCornerRadius = 10;
} // namespace

FeatureRow::FeatureRow(std::string systemImage, RgbColor darkTint, RgbColor lightTint, const QString& title,
                       const QString& body, QWidget* parent)
    : QWidget(parent), systemImage_(std::move(systemImage)), darkTint_(darkTint), lightTint_(lightTint) {
    auto* texts = new QVBoxLayout(this);
    // The tile is painted in the room left of the texts.
    texts->setContentsMargins(kPadding + static_cast<int>(kTileSide) + kSpacing, kPadding, kPadding,
                              kPadding);
    texts->setSpacing(2);
    texts->addWidget(new TextLabel(title, systemFont(14, QFont::DemiBold)));
    auto* sentence = new TextLabel(body, systemFont(12.5), PlatformColor::secondaryLabel);
    sentence->setWordWrap(true);
    texts->addWidget(sentence);
    setMinimumHeight(2 * kPadding + static_cast<int>(kTileSide));
}

void FeatureRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QRectF card = QRectF(rect());
    fillRoundedRect(painter, card, kCornerRadius, platformColor(PlatformColor::controlBackground, scheme));
    strokeRoundedBorder(painter, card, kCornerRadius, withOpacity(Qt::white, 0.14), 0.6);
    IconTile::paint(painter, QRectF(kPadding, kPadding, kTileSide, kTileSide), scheme, systemImage_,
                    qColor(byScheme(scheme, darkTint_, lightTint_)), 9);
}

} // namespace zn
