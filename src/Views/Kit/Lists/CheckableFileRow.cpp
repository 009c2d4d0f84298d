#include "Views/Kit/Lists/CheckableFileRow.h"

#include "Platform/core/ByteCountFormatter.h"
#include "Platform/core/PathText.h"
#include "Platform/qt/FileIcons.h"
#include "Views/Kit/Controls/CheckBoxPainter.h"
#include "Views/Kit/Motion/WidgetOpacity.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/DisplayText.h"
#include "Views/Kit/Theme/MonospacedDigits.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include <algorithm>

namespace zn {

namespace {

constexpr double kHorizontalPadding = 4 + 6;
constexpr double kIconSide = 16;
constexpr double kSpacing = 8;

} // namespace

CheckableFileRow::CheckableFileRow(std::string path, QWidget* parent)
    : QWidget(parent), path_(std::move(path)), name_(shownText(PathText::lastPathComponent(path_))),
      fullPath_(shownText(path_)), accessories_(new QHBoxLayout), hover_(this, 0) {
    connect(&hover_, &AnimatedValue::changed, this, &CheckableFileRow::fadeAccessories);
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    accessories_->setSpacing(6);
    layout->addLayout(accessories_);
    setToolTip(fullPath_);
}

void CheckableFileRow::setChecked(bool checked) {
    if (checked == checked_)
        return;
    checked_ = checked;
    update();
}

void CheckableFileRow::setCheckEnabled(bool enabled) {
    if (enabled == checkEnabled_)
        return;
    checkEnabled_ = enabled;
    update();
}

void CheckableFileRow::setSize(std::optional<std::int64_t> size) {
    if (size == size_)
        return;
    size_ = size;
    sizeText_ = size ? QString::fromStdString(formatByteCount(*size)) : QString();
    // The accessories sit just before the size.
    const int sizeWidth =
        size ? qCeil(monospacedDigitsWidth(textFont(TextStyle::body), sizeText_)) + int(kSpacing) : 0;
    layout()->setContentsMargins(0, 0, int(kHorizontalPadding) + sizeWidth, 0);
    update();
}

void CheckableFileRow::setFolder(bool folder) {
    if (folder == isFolder_)
        return;
    isFolder_ = folder;
    update();
}

void CheckableFileRow::addHoverAccessory(QWidget* accessory) {
    accessory->setVisible(hovering_ || hover_.value() > 0);
    setWidgetOpacity(*accessory, hover_.value());
    accessories_->addWidget(accessory);
}

void CheckableFileRow::toggle() {
    if (!checkEnabled_)
        return;
    checked_ = !checked_;
    update();
    emit toggled(checked_);
}

QSize CheckableFileRow::sizeHint() const {
    return {360, fixedHeight};
}

QSize CheckableFileRow::minimumSizeHint() const {
    return {160, fixedHeight};
}

QRectF CheckableFileRow::textFrame() const {
    const double left = kHorizontalPadding + kCheckBoxSide + kSpacing + kIconSide + kSpacing;
    double right = width() - kHorizontalPadding;
    if (size_)
        right -= monospacedDigitsWidth(textFont(TextStyle::body), sizeText_) + kSpacing;
    for (int i = 0; i < accessories_->count(); ++i)
        if (QWidget* accessory = accessories_->itemAt(i)->widget(); accessory && accessory->isVisible())
            right = std::min<double>(right, accessory->x() - kSpacing);
    return QRectF(left, 0, std::max(0.0, right - left), height());
}

void CheckableFileRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QRectF bounds = QRectF(rect()).adjusted(4, 2, -4, -2);
    if (hover_.value() > 0)
        fillRoundedRect(
            painter, bounds, 6,
            withOpacity(platformColor(PlatformColor::primaryLabel, scheme), 0.04 * hover_.value()));

    double x = kHorizontalPadding;
    const double middle = height() / 2.0;
    paintCheckBox(painter, QRectF(x, middle - kCheckBoxSide / 2, kCheckBoxSide, kCheckBoxSide),
                  checked_ ? Qt::Checked : Qt::Unchecked, checkEnabled_ && isEnabled(), scheme);
    x += kCheckBoxSide + kSpacing;

    const QRectF iconFrame(x, middle - kIconSide / 2, kIconSide, kIconSide);
    const QIcon icon = FileIcons::shared().fileIcon(path_);
    if (!icon.isNull())
        icon.paint(&painter, iconFrame.toRect());
    else
        paintSymbol(painter, iconFrame, isFolder_ ? "folder" : "doc", 13,
                    byScheme(scheme, qColor(Tint::darkBlue), qColor(Tint::blue)));

    const QRectF text = textFrame();
    const QFont nameFont = textFont(TextStyle::body);
    const QFont pathFont = textFont(TextStyle::caption);
    const QFontMetricsF nameMetrics(nameFont);
    const QFontMetricsF pathMetrics(pathFont);
    const double lines = nameMetrics.height() + 2 + pathMetrics.height();
    const double top = middle - lines / 2;
    painter.setFont(nameFont);
    painter.setPen(platformColor(PlatformColor::primaryLabel, scheme));
    painter.drawText(QRectF(text.left(), top, text.width(), nameMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     nameMetrics.elidedText(name_, Qt::ElideRight, text.width()));
    painter.setFont(pathFont);
    painter.setPen(platformColor(PlatformColor::tertiaryLabel, scheme));
    painter.drawText(QRectF(text.left(), top + nameMetrics.height() + 2, text.width(), pathMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, pathMetrics.elidedText(fullPath_, Qt::ElideMiddle, text.width()));

    if (size_) {
        painter.setFont(nameFont);
        painter.setPen(platformColor(PlatformColor::secondaryLabel, scheme));
        drawMonospacedDigits(painter, QRectF(0, 0, width() - kHorizontalPadding, height()),
                             Qt::AlignRight | Qt::AlignVCenter, sizeText_);
    }
}

void CheckableFileRow::setHovering(bool hovering) {
    if (hovering == hovering_)
        return;
    hovering_ = hovering;
    hover_.animateTo(hovering ? 1 : 0, Timing::easeInOut(std::chrono::milliseconds(150)));
    fadeAccessories();
    update();
}

void CheckableFileRow::fadeAccessories() {
    // The accessories come in at once, transparent, and leave only once they have faded out.
    const double opacity = std::clamp(hover_.value(), 0.0, 1.0);
    for (int i = 0; i < accessories_->count(); ++i)
        if (QWidget* accessory = accessories_->itemAt(i)->widget()) {
            setWidgetOpacity(*accessory, opacity);
            accessory->setVisible(hovering_ || opacity > 0);
        }
}

void CheckableFileRow::enterEvent(QEnterEvent*) {
    setHovering(true);
}

void CheckableFileRow::leaveEvent(QEvent*) {
    setHovering(false);
}

void CheckableFileRow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        toggle();
}

void CheckableFileRow::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuRequested(event->globalPos());
}

} // namespace zn
