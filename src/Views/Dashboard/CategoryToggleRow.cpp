#include "Views/Dashboard/CategoryToggleRow.h"

#include "ViewModels/AppState.h"
#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Dashboard/ResultRowPainting.h"
#include "Views/Kit/Controls/CheckBoxPainter.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextDrawing.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>

namespace zn {

namespace {
constexpr double kHorizontalPadding = 16;
constexpr double kVerticalPadding = 10;
constexpr double kBoxToLabel = 6;
constexpr double kTile = 28;
constexpr double kSpacing = 12;
constexpr double kNameToCount = 1;

QFont nameFont() {
    return systemFont(13.5, QFont::DemiBold);
}
QFont countFont() {
    return systemFont(11.5);
}

} // namespace

CategoryToggleRow::CategoryToggleRow(AppState& state, const CategoryResult& result, QWidget* parent)
    : QAbstractButton(parent), state_(state), category_(result.category) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
    setResult(result);
    connect(this, &QAbstractButton::clicked, this, &CategoryToggleRow::toggle);
}

void CategoryToggleRow::setResult(const CategoryResult& result) {
    category_ = result.category;
    itemCount_ = result.items.size();
    totalSize_ = result.totalSize;
    setAccessibleName(QString::fromUtf8(displayName(category_)));
    update();
}

void CategoryToggleRow::setShowsDivider(bool shows) {
    showsDivider_ = shows;
    update();
}

bool CategoryToggleRow::isAllSelected() const {
    return static_cast<std::size_t>(state_.selectedCountInCategory(category_)) == itemCount_;
}

QString CategoryToggleRow::itemsCountText() const {
    return dashboard::itemsCountText(itemCount_);
}

void CategoryToggleRow::toggle() {
    if (isAllSelected())
        state_.deselectAllInCategory(category_);
    else
        state_.selectAllInCategory(category_);
    update();
}

QSize CategoryToggleRow::sizeHint() const {
    return {360, static_cast<int>(2 * kVerticalPadding + kTile)};
}

void CategoryToggleRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QRectF content =
        QRectF(rect()).adjusted(kHorizontalPadding, kVerticalPadding, -kHorizontalPadding, -kVerticalPadding);
    const QRectF box(content.left(), content.center().y() - kCheckBoxSide / 2, kCheckBoxSide, kCheckBoxSide);
    paintCheckBox(painter, box, isAllSelected() ? Qt::Checked : Qt::Unchecked, isEnabled(), scheme);

    const QRectF tile(box.right() + kBoxToLabel, content.center().y() - kTile / 2, kTile, kTile);
    resultRow::paintTile(painter, tile, category_, scheme);
    const double sizeWidth = resultRow::paintTrailingBytes(painter, content, totalSize_, scheme);

    const double left = tile.right() + kSpacing;
    const double width = content.right() - sizeWidth - kSpacing - left;
    const TextMetrics nameMetrics(nameFont());
    const TextMetrics countMetrics(countFont());
    const double top =
        content.center().y() - (nameMetrics.height() + kNameToCount + countMetrics.height()) / 2;
    painter.setFont(nameFont());
    painter.setPen(platformColor(PlatformColor::primaryLabel, scheme));
    drawText(painter, QRectF(left, top, width, nameMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
             nameMetrics.elidedText(QString::fromUtf8(displayName(category_)), Qt::ElideRight, width));
    painter.setFont(countFont());
    painter.setPen(platformColor(PlatformColor::secondaryLabel, scheme));
    drawText(painter, QRectF(left, top + nameMetrics.height() + kNameToCount, width, countMetrics.height()),
             Qt::AlignLeft | Qt::AlignVCenter, itemsCountText());
    if (showsDivider_)
        resultRow::paintDivider(painter, QRectF(rect()), scheme);
}

} // namespace zn
