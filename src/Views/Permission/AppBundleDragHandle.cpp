#include "Views/Permission/AppBundleDragHandle.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Surfaces/ShadowPainter.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/TextDrawing.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace zn {

namespace {

constexpr double kPadding = 12;
constexpr double kSpacing = 8;
constexpr double kCaptionSpacing = 1;
constexpr double kTileCorner = 14;
// The program's icon is a rounded square; its shadow follows that shape.
constexpr double kIconCornerShare = 0.22;

QFont nameFont() {
    return systemFont(11.5, QFont::DemiBold);
}

QFont hintFont() {
    return systemFont(10.5);
}

QString hintText() {
    return QStringLiteral("Drag into Settings");
}

} // namespace

AppBundleDragHandle::AppBundleDragHandle(ApplicationFileSearch search, std::function<QIcon()> iconLookup,
                                         QWidget* parent)
    : QWidget(parent), search_(std::move(search)), iconLookup_(std::move(iconLookup)),
      hover_(new AnimatedValue(this, 0)) {
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::OpenHandCursor);
    setToolTip(QStringLiteral("Drag Zelva Nexal into the Full Disk Access list in System Settings."));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QIcon AppBundleDragHandle::programIcon() {
    return QApplication::windowIcon();
}

std::unique_ptr<QMimeData> AppBundleDragHandle::dragPayload(const ApplicationFileSearch& search) {
    auto payload = std::make_unique<QMimeData>();
    // The URL's last component is the file's own name, which is the name a drop target gives it.
    payload->setUrls({QUrl::fromLocalFile(QString::fromStdString(applicationFile(search)))});
    return payload;
}

double AppBundleDragHandle::hoverProgress() const {
    return hover_->value();
}

QSize AppBundleDragHandle::sizeHint() const {
    const TextMetrics name(nameFont());
    const TextMetrics hint(hintFont());
    const double contentWidth = std::max({kTileSide, name.horizontalAdvance(QString::fromLatin1(kCaption)),
                                          hint.horizontalAdvance(hintText())});
    const double height = kTileSide + kSpacing + name.height() + kCaptionSpacing + hint.height();
    return {static_cast<int>(std::ceil(contentWidth + 2 * kPadding)),
            static_cast<int>(std::ceil(height + 2 * kPadding))};
}

QSize AppBundleDragHandle::minimumSizeHint() const {
    return sizeHint();
}

QRectF AppBundleDragHandle::tileRect() const {
    // On whole pixels, so the tile's edges stay sharp.
    return {std::floor((width() - kTileSide) / 2), kPadding, kTileSide, kTileSide};
}

void AppBundleDragHandle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Clamped: the hover's ease-out never overshoots, but opacities must stay in range whatever moves them.
    const double hover = std::clamp(hover_->value(), 0.0, 1.0);
    paintTile(painter, hover);
    paintIcon(painter, hover);
    paintCaption(painter);
}

void AppBundleDragHandle::paintTile(QPainter& painter, double hover) const {
    const ColorScheme scheme = colorScheme(*this);
    const QColor accent = schemeAccent(scheme);
    const QRectF tile = tileRect();
    fillRoundedRect(painter, tile, kTileCorner, platformColor(PlatformColor::controlBackground, scheme));
    fillRoundedRect(painter, tile, kTileCorner, withOpacity(accent, std::lerp(0.08, 0.16, hover)));

    // The dashed hairline gives way to the solid accent line as the pointer arrives.
    if (hover < 1) {
        const double width = kDashedLineWidth;
        QPen dashed(withOpacity(platformColor(PlatformColor::primaryLabel, scheme), 0.1 * (1 - hover)), width);
        dashed.setDashPattern({3 / width, 3 / width}); // 3 on, 3 off, in points
        painter.save();
        painter.setPen(dashed);
        painter.setBrush(Qt::NoBrush);
        const QRectF edge = tile.adjusted(width / 2, width / 2, -width / 2, -width / 2);
        painter.drawRoundedRect(edge, kTileCorner - width / 2, kTileCorner - width / 2);
        painter.restore();
    }
    if (hover > 0)
        strokeRoundedBorder(painter, tile, kTileCorner, withOpacity(accent, 0.6 * hover), 1.5);
}

void AppBundleDragHandle::paintIcon(QPainter& painter, double hover) const {
    const QRectF tile = tileRect();
    const double side = kIconSide * std::lerp(1.0, 1.04, hover);
    const QRectF frame(tile.center().x() - side / 2, tile.center().y() - side / 2, side, side);
    const ShadowSpec shadow{std::lerp(4.0, 8.0, hover), QPointF(0, std::lerp(1.0, 3.0, hover)),
                            withOpacity(Qt::black, std::lerp(0.08, 0.18, hover))};

    const QIcon icon = iconLookup_ ? iconLookup_() : QIcon();
    if (!icon.isNull()) {
        paintRoundedShadow(painter, frame, side * kIconCornerShare, shadow);
        painter.drawPixmap(frame, icon.pixmap(QSize(qRound(kIconSide), qRound(kIconSide)), devicePixelRatioF()),
                           QRectF());
        return;
    }
    const QColor accent = schemeAccent(colorScheme(*this));
    const double symbolSize = 36 * std::lerp(1.0, 1.04, hover);
    paintSymbol(painter, frame.translated(shadow.offset), "app.fill", symbolSize, shadow.color);
    paintSymbol(painter, frame, "app.fill", symbolSize, accent);
}

void AppBundleDragHandle::paintCaption(QPainter& painter) const {
    const TextMetrics name(nameFont());
    const TextMetrics hint(hintFont());
    const double top = kPadding + kTileSide + kSpacing;
    painter.setPen(platformColor(*this, PlatformColor::primaryLabel));
    painter.setFont(nameFont());
    drawText(painter, QRectF(0, top, width(), name.height()), Qt::AlignCenter, QString::fromLatin1(kCaption));
    painter.setPen(platformColor(*this, PlatformColor::secondaryLabel));
    painter.setFont(hintFont());
    drawText(painter, QRectF(0, top + name.height() + kCaptionSpacing, width(), hint.height()),
             Qt::AlignCenter, hintText());
}

void AppBundleDragHandle::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    setHovering(true);
}

void AppBundleDragHandle::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    setHovering(false);
}

void AppBundleDragHandle::setHovering(bool hovering) {
    if (hovering_ == hovering)
        return;
    hovering_ = hovering;
    hover_->animateTo(hovering ? 1 : 0, Timing::easeOut(std::chrono::milliseconds(kHoverMs)));
}

void AppBundleDragHandle::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    pressPosition_ = event->position().toPoint();
}

void AppBundleDragHandle::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - pressPosition_).manhattanLength() < QApplication::startDragDistance())
        return;
    pressed_ = false;
    // The payload is made afresh for every drag, so a launcher installed meanwhile is the one offered.
    auto* drag = new QDrag(this);
    drag->setMimeData(dragPayload(search_).release());
    const QIcon icon = iconLookup_ ? iconLookup_() : QIcon();
    if (!icon.isNull()) {
        drag->setPixmap(icon.pixmap(QSize(qRound(kIconSide), qRound(kIconSide)), devicePixelRatioF()));
        drag->setHotSpot(QPoint(qRound(kIconSide / 2), qRound(kIconSide / 2)));
    }
    drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
    setHovering(rect().contains(mapFromGlobal(QCursor::pos())));
}

} // namespace zn
