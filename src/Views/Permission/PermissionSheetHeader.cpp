#include "Views/Permission/PermissionSheetHeader.h"

#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/ScaleAbout.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace zn {

namespace {

constexpr int kPaddingX = 22;
constexpr int kPaddingY = 18;
constexpr int kSpacing = 14;
constexpr double kSlide = 6;
constexpr double kSymbolSize = 18;

const char* symbolFor(bool granted) {
    return granted ? "checkmark.shield.fill" : "lock.shield.fill";
}

QColor tintFor(bool granted, ColorScheme scheme) {
    return granted ? qColor(Tint::green) : schemeAccent(scheme);
}

} // namespace

PermissionSheetHeader::PermissionSheetHeader(QWidget* parent)
    : QWidget(parent), title_(new TextLabel(QString(), systemFont(16, QFont::Bold))),
      subtitle_(new TextLabel(QString(), systemFont(12), PlatformColor::secondaryLabel)),
      replace_(new AnimatedValue(this, 1)) {
    auto* row = new QHBoxLayout(this);
    row->setSpacing(0);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(title_);
    texts->addWidget(subtitle_);
    row->addLayout(texts, 1);
    // A long application name in the title wraps rather than widening the sheet.
    title_->setWordWrap(true);
    subtitle_->setWordWrap(true);
    updateMargins();
    setGranted(false);
}

void PermissionSheetHeader::setTitle(const QString& title) {
    title_->setText(title);
}

void PermissionSheetHeader::setGranted(bool granted) {
    const bool changed = granted_ != granted;
    granted_ = granted;
    subtitle_->setText(granted ? QStringLiteral("Access allowed. Trying again…")
                               : QStringLiteral("Open Settings once. Zelva Nexal will notice when you're done."));
    if (changed) {
        replace_->setImmediately(0);
        replace_->animateTo(1, Timing::springy(0.35, 0.8));
    }
    update();
}

void PermissionSheetHeader::setAppearance(double appeared) {
    appeared_ = appeared;
    updateMargins();
    update();
}

std::string PermissionSheetHeader::symbol() const {
    return symbolFor(granted_);
}

QColor PermissionSheetHeader::tint() const {
    return tintFor(granted_, colorScheme(*this));
}

QString PermissionSheetHeader::title() const {
    return title_->text();
}

QString PermissionSheetHeader::subtitle() const {
    return subtitle_->text();
}

void PermissionSheetHeader::updateMargins() {
    const int slide = qRound(kSlide * (1 - appeared_));
    layout()->setContentsMargins(kPaddingX + static_cast<int>(kDiscSide) + kSpacing, kPaddingY - slide, kPaddingX,
                                 kPaddingY + slide);
}

void PermissionSheetHeader::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor tint = this->tint();
    const double slide = kSlide * (1 - appeared_);
    const QRectF disc(kPaddingX, (height() - kDiscSide) / 2 - slide, kDiscSide, kDiscSide);
    painter.setPen(Qt::NoPen);
    painter.setBrush(withOpacity(tint, 0.14));
    painter.drawEllipse(disc);

    // The new symbol grows in while the old one shrinks away.
    const double progress = replace_->value();
    const auto drawSymbol = [&](const char* name, const QColor& color, double scale, double opacity) {
        if (opacity <= 0)
            return;
        painter.save();
        painter.setOpacity(std::min(1.0, opacity));
        scaleAbout(painter, disc.center(), scale);
        paintSymbol(painter, disc, name, kSymbolSize, color);
        painter.restore();
    };
    if (progress < 1) {
        drawSymbol(symbolFor(!granted_), tintFor(!granted_, colorScheme(*this)),
                   1 - 0.5 * std::clamp(progress, 0.0, 1.0), 1 - progress);
    }
    drawSymbol(symbolFor(granted_), tint, 0.5 + 0.5 * progress, progress);
}

} // namespace zn
