#include "Views/Dashboard/ResultRowPainting.h"

#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Kit/Surfaces/IconTile.h"
#include "Views/Kit/Theme/DisplayText.h"
#include "Views/Kit/Theme/MonospacedDigits.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>

namespace zn::resultRow {

namespace {
constexpr double kTileCorner = 7;
} // namespace

void paintTile(QPainter& painter, const QRectF& tile, CleaningCategory category, ColorScheme scheme) {
    IconTile::paint(painter, tile, scheme, icon(category), qColor(color(category, scheme)), kTileCorner);
}

double paintTrailingBytes(QPainter& painter, const QRectF& content, std::int64_t bytes, ColorScheme scheme) {
    const QString text = bytesText(bytes);
    const QFont font = systemFont(13, QFont::DemiBold);
    painter.setFont(font);
    painter.setPen(platformColor(PlatformColor::secondaryLabel, scheme));
    drawMonospacedDigits(painter, content, Qt::AlignRight | Qt::AlignVCenter, text);
    return monospacedDigitsWidth(font, text);
}

void paintDivider(QPainter& painter, const QRectF& row, ColorScheme scheme) {
    painter.fillRect(QRectF(row.left() + kDividerInset, row.bottom() - 1, row.width() - kDividerInset, 1),
                     platformColor(PlatformColor::separator, scheme));
}

} // namespace zn::resultRow
