#include "Views/Permission/FDADemoView.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Motion/ScaleAbout.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Surfaces/ShadowPainter.h"
#include "Views/Kit/Theme/KitStyle.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/TextDrawing.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace zn {

namespace {

using std::chrono::milliseconds;

constexpr double kCardCorner = 10;
constexpr double kRowHeight = 10 + 26 + 10;
constexpr double kRowPadding = 14;
constexpr double kRowSpacing = 12;
constexpr double kTileSide = 26;
constexpr double kDividerIndent = 46;
constexpr double kCaptionSpacing = 14;
constexpr QSizeF kSwitchSize{32, 19};
constexpr double kCheckSide = 18;
constexpr auto kRowChange = milliseconds(350);

const ShadowSpec& cardShadow() {
    static const ShadowSpec shadow{12, QPointF(0, 4), withOpacity(Qt::black, 0.08)};
    return shadow;
}

QFont titleFont() {
    return systemFont(11, QFont::DemiBold);
}

QFont captionFont() {
    return systemFont(11.5, QFont::Medium);
}

QString captionText() {
    return QStringLiteral("Privacy & Security → Full Disk Access");
}

double titleBarHeight() {
    return 8 + std::max(9.0, TextMetrics(titleFont()).height()) + 8;
}

double cardHeight() {
    return titleBarHeight() + 1 + 3 * kRowHeight + 2;
}

double captionHeight() {
    return TextMetrics(captionFont()).height();
}

void paintToggleSwitch(QPainter& painter, const QRectF& frame, double on, ColorScheme scheme) {
    // The track fades from the neutral fill to green as the knob travels.
    fillRoundedRect(painter, frame, capsuleRadius(frame),
                    withOpacity(platformColor(PlatformColor::secondaryLabel, scheme), 0.3));
    fillRoundedRect(painter, frame, capsuleRadius(frame), qColor(Tint::green, std::clamp(on, 0.0, 1.0)));
    const double knobSide = frame.height() - 4;
    const double travel = frame.width() - 4 - knobSide;
    const QRectF knob(frame.left() + 2 + travel * on, frame.top() + 2, knobSide, knobSide);
    paintRoundedShadow(painter, knob, knobSide / 2, {1.5, QPointF(0, 0.5), withOpacity(Qt::black, 0.15)});
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(knob);
}

} // namespace

std::optional<FDADemoView::Frame> FDADemoView::frameFromRawValue(int rawValue) {
    if (rawValue < 0 || rawValue > static_cast<int>(Frame::hold))
        return std::nullopt;
    return static_cast<Frame>(rawValue);
}

FDADemoView::FDADemoView(std::shared_ptr<Clock> clock, QWidget* parent)
    : QFrame(parent), clock_(std::move(clock)), highlight_(new AnimatedValue(this, 0)),
      tick_(new AnimatedValue(this, 0)), knob_(new AnimatedValue(this, 0)) {
    setFrameStyle(QFrame::NoFrame);
    // The card's shadow lies outside the view's layout rectangle, as a card's does.
    KitStyle::setOverflow(*this, shadowReach(cardShadow()));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QRectF FDADemoView::cardRect() const {
    const QRectF content = QRectF(rect()).marginsRemoved(KitStyle::overflow(*this));
    return {content.left(), content.top(), content.width(), cardHeight()};
}

QSize FDADemoView::sizeHint() const {
    const QMargins reach = KitStyle::overflow(*this);
    const double height = cardHeight() + kCaptionSpacing + captionHeight();
    return QSize(360, static_cast<int>(std::ceil(height))).grownBy(reach);
}

QSize FDADemoView::minimumSizeHint() const {
    const QMargins reach = KitStyle::overflow(*this);
    return {280 + reach.left() + reach.right(), sizeHint().height()};
}

void FDADemoView::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    isActive_ = true;
    cycle();
}

void FDADemoView::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    isActive_ = false;
    cancelPendingSteps();
}

void FDADemoView::cycle() {
    if (!isActive_)
        return;
    // Steps of an earlier loop would otherwise drive the frame beside this one.
    cancelPendingSteps();
    setFrame(Frame::idle);
    const std::array<std::pair<milliseconds, Frame>, 4> steps{{
        {milliseconds(600), Frame::highlight},
        {milliseconds(1500), Frame::toggleOn},
        {milliseconds(2300), Frame::granted},
        {milliseconds(2700), Frame::hold},
    }};
    for (const auto& [delay, frame] : steps)
        pendingSteps_.push_back(clock_->callAfter(delay, this, [this, frame = frame] {
            if (isActive_)
                setFrame(frame);
        }));
    pendingSteps_.push_back(clock_->callAfter(kLoopDuration, this, [this] { cycle(); }));
}

void FDADemoView::cancelPendingSteps() {
    for (ScheduledCall& step : pendingSteps_)
        step.cancel();
    pendingSteps_.clear();
}

void FDADemoView::setFrame(Frame frame) {
    const bool changed = frame_ != frame;
    frame_ = frame;
    highlight_->animateTo(frame == Frame::highlight ? 1 : 0, Timing::easeInOut(kRowChange));
    tick_->animateTo(frame == Frame::granted || frame == Frame::hold ? 1 : 0, Timing::easeInOut(kRowChange));
    knob_->animateTo(frame == Frame::idle || frame == Frame::highlight ? 0 : 1, Timing::springy(0.35, 0.78));
    if (changed)
        emit frameChanged(frame);
}

void FDADemoView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF card = cardRect();
    paintCard(painter, card);
    paintCaption(painter, QRectF(card.left(), card.bottom() + kCaptionSpacing, card.width(), captionHeight()));
}

void FDADemoView::paintCard(QPainter& painter, const QRectF& card) const {
    static constexpr std::array<DemoRow, 3> rows{{
        {"Finder", "macwindow", false},
        {"Zelva Nexal", "sparkles", true},
        {"Terminal", "terminal", false},
    }};
    const ColorScheme scheme = colorScheme(*this);
    const QColor separator = platformColor(PlatformColor::separator, scheme);
    paintRoundedShadow(painter, card, kCardCorner, cardShadow());
    painter.save();
    QPainterPath clip;
    clip.addRoundedRect(card, kCardCorner, kCardCorner);
    painter.setClipPath(clip);
    painter.fillRect(card, platformColor(PlatformColor::controlBackground, scheme));

    const double barHeight = titleBarHeight();
    paintTitleBar(painter, QRectF(card.left(), card.top(), card.width(), barHeight));
    double y = card.top() + barHeight;
    painter.fillRect(QRectF(card.left(), y, card.width(), 1), separator);
    y += 1;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        paintRow(painter, QRectF(card.left(), y, card.width(), kRowHeight), rows[index]);
        y += kRowHeight;
        if (index + 1 < rows.size()) {
            painter.fillRect(QRectF(card.left() + kDividerIndent, y, card.width() - kDividerIndent, 1), separator);
            y += 1;
        }
    }
    painter.restore();
    strokeRoundedBorder(painter, card, kCardCorner, withOpacity(Qt::white, 0.16), 0.6);
}

void FDADemoView::paintTitleBar(QPainter& painter, const QRectF& bar) const {
    static const std::array<QColor, 3> lights{QColor::fromRgbF(1.0f, 0.36f, 0.34f),
                                              QColor::fromRgbF(1.0f, 0.78f, 0.27f),
                                              QColor::fromRgbF(0.31f, 0.78f, 0.36f)};
    constexpr double side = 9;
    constexpr double spacing = 6;
    double x = bar.left() + 12;
    painter.setPen(Qt::NoPen);
    for (const QColor& light : lights) {
        painter.setBrush(light);
        painter.drawEllipse(QRectF(x, bar.center().y() - side / 2, side, side));
        x += side + spacing;
    }
    // The title sits centred in the room the lights leave, between two equal spacers.
    const QRectF room(x, bar.top(), bar.right() - 12 - x, bar.height());
    painter.setFont(titleFont());
    painter.setPen(platformColor(*this, PlatformColor::secondaryLabel));
    drawText(painter, room, Qt::AlignCenter, QStringLiteral("Full Disk Access"));
}

void FDADemoView::paintRow(QPainter& painter, const QRectF& row, const DemoRow& demoRow) const {
    const ColorScheme scheme = colorScheme(*this);
    const QColor accent = schemeAccent(scheme);
    const double highlight = demoRow.isZelvaNexal ? std::clamp(highlight_->value(), 0.0, 1.0) : 0;
    const double tick = demoRow.isZelvaNexal ? std::clamp(tick_->value(), 0.0, 1.0) : 0;
    const double on = demoRow.isZelvaNexal ? knob_->value() : 1;

    if (highlight > 0)
        fillRoundedRect(painter, row.adjusted(6, 2, -6, -2), 6, withOpacity(accent, 0.1 * highlight));

    const QRectF tile(row.left() + kRowPadding, row.center().y() - kTileSide / 2, kTileSide, kTileSide);
    fillRoundedRect(painter, tile, 6,
                    demoRow.isZelvaNexal ? withOpacity(accent, 0.16)
                                         : withOpacity(platformColor(PlatformColor::primaryLabel, scheme), 0.08));
    paintSymbol(painter, tile, demoRow.systemImage, 13,
                demoRow.isZelvaNexal ? accent : platformColor(PlatformColor::secondaryLabel, scheme));

    const QRectF toggle(row.right() - kRowPadding - kSwitchSize.width(), row.center().y() - kSwitchSize.height() / 2,
                        kSwitchSize.width(), kSwitchSize.height());
    paintToggleSwitch(painter, toggle, on, scheme);

    if (tick > 0) {
        const QRectF check(toggle.left() - kRowSpacing - kCheckSide, row.center().y() - kCheckSide / 2, kCheckSide,
                           kCheckSide);
        painter.save();
        painter.setOpacity(tick);
        scaleAbout(painter, check.center(), tick);
        paintSymbol(painter, check, "checkmark.circle.fill", 14, qColor(Tint::green));
        painter.restore();
    }

    const double nameLeft = tile.right() + kRowSpacing;
    painter.setFont(systemFont(13, demoRow.isZelvaNexal ? QFont::DemiBold : QFont::Normal));
    painter.setPen(platformColor(PlatformColor::primaryLabel, scheme));
    drawText(painter,
             QRectF(nameLeft, row.top(), toggle.left() - kRowSpacing - kCheckSide - nameLeft, row.height()),
             Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(demoRow.name));
}

void FDADemoView::paintCaption(QPainter& painter, const QRectF& caption) const {
    const QColor secondary = platformColor(*this, PlatformColor::secondaryLabel);
    const QFont font = captionFont();
    const double textWidth = TextMetrics(font).horizontalAdvance(captionText());
    const double symbolSide = 14;
    constexpr double spacing = 6;
    const double left = caption.center().x() - (symbolSide + spacing + textWidth) / 2;
    paintSymbol(painter, QRectF(left, caption.top(), symbolSide, caption.height()), "lock.shield", 11, secondary);
    painter.setFont(font);
    painter.setPen(secondary);
    drawText(painter, QRectF(left + symbolSide + spacing, caption.top(), textWidth + 1, caption.height()),
             Qt::AlignLeft | Qt::AlignVCenter, captionText());
}

} // namespace zn
