#include "Views/Dashboard/LiveResultRow.h"

#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Dashboard/ResultRowPainting.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>

namespace zn {

namespace {
constexpr double kHorizontalPadding = 16;
constexpr double kVerticalPadding = 12;
constexpr double kTile = 26;
constexpr double kSpacing = 12;
} // namespace

LiveResultRow::LiveResultRow(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void LiveResultRow::setResult(CleaningCategory category, std::int64_t totalSize) {
    category_ = category;
    totalSize_ = totalSize;
    update();
}

void LiveResultRow::setShowsDivider(bool shows) {
    showsDivider_ = shows;
    update();
}

QSize LiveResultRow::sizeHint() const {
    return {320, static_cast<int>(2 * kVerticalPadding + kTile)};
}

void LiveResultRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QRectF content =
        QRectF(rect()).adjusted(kHorizontalPadding, kVerticalPadding, -kHorizontalPadding, -kVerticalPadding);
    const QRectF tile(content.left(), content.center().y() - kTile / 2, kTile, kTile);
    resultRow::paintTile(painter, tile, category_, scheme);
    const double sizeWidth = resultRow::paintTrailingBytes(painter, content, totalSize_, scheme);

    const double left = tile.right() + kSpacing;
    const QString name = QString::fromUtf8(displayName(category_));
    painter.setFont(systemFont(13));
    painter.setPen(platformColor(PlatformColor::primaryLabel, scheme));
    painter.drawText(
        QRectF(left, content.top(), content.right() - sizeWidth - kSpacing - left, content.height()),
        Qt::AlignLeft | Qt::AlignVCenter, name);
    if (showsDivider_)
        resultRow::paintDivider(painter, QRectF(rect()), scheme);
}

} // namespace zn
