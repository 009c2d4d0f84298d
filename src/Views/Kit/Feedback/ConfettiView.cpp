#include "Views/Kit/Feedback/ConfettiView.h"

#include "Platform/qt/QtClock.h"
#include "Views/Kit/Motion/Motion.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QEvent>
#include <QPainter>
#include <QPixmap>

#include <chrono>
#include <random>

namespace zn {

namespace {

// One white rounded piece tinted in each colour, drawn once per pixel ratio.
const QPixmap& piecePixmap(std::size_t color, double ratio) {
    static std::vector<std::pair<double, std::vector<QPixmap>>> cache;
    for (const auto& [cachedRatio, pixmaps] : cache)
        if (cachedRatio == ratio)
            return pixmaps[color];
    std::vector<QPixmap> pixmaps;
    for (const RgbColor& rgb : Confetti::kColors) {
        const QSize pixels = (Confetti::kPieceSize * ratio).toSize();
        QPixmap pixmap(pixels);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        fillRoundedRect(painter, QRectF(QPointF(0, 0), Confetti::kPieceSize), Confetti::kPieceCornerRadius,
                        qColor(rgb));
        painter.end();
        pixmaps.push_back(pixmap);
    }
    cache.emplace_back(ratio, std::move(pixmaps));
    return cache.back().second[color];
}

// The burst's times are seconds; the clock counts milliseconds.
std::chrono::milliseconds afterStart(double seconds) {
    return std::chrono::round<std::chrono::milliseconds>(std::chrono::duration<double>(seconds));
}

} // namespace

ConfettiSources ConfettiSources::live() {
    auto generator = std::make_shared<std::mt19937>(std::random_device{}());
    return {std::make_shared<QtClock>(), [generator] {
                return std::uniform_real_distribution<double>(0, 1)(*generator);
            }};
}

ConfettiView::ConfettiView(ConfettiSources sources, QWidget* parent)
    : QWidget(parent), sources_(std::move(sources)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    // Frames come from the animation timer, which sleeps whenever no animation runs.
    frames_.setStartValue(0.0);
    frames_.setEndValue(1.0);
    frames_.setDuration(1000);
    frames_.setLoopCount(-1);
    connect(&frames_, &QVariantAnimation::valueChanged, this, &ConfettiView::nextFrame);
    if (parent) {
        parent->installEventFilter(this);
        setGeometry(parent->rect());
    }
}

bool ConfettiView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return false;
}

void ConfettiView::setTrigger(bool trigger) {
    if (trigger && !lastTrigger_)
        fire();
    lastTrigger_ = trigger;
}

void ConfettiView::fire() {
    raise();
    show();
    const double width = this->width();
    auto flight = std::make_unique<Flight>(
        Flight{ConfettiBurst(QPointF(width / 2, -Confetti::kEmitterAbove), width, sources_.random),
               sources_.clock->now(), {}, {}});
    Flight* raw = flight.get();
    raw->stop = sources_.clock->callAfter(afterStart(Confetti::kBirthsStopAfter), this,
                                          [this, raw] { stopBirths(raw); });
    raw->removal =
        sources_.clock->callAfter(afterStart(Confetti::kRemovedAfter), this, [this, raw] { remove(raw); });
    bursts_.push_back(std::move(flight));
    if (Motion::enabled() && frames_.state() != QAbstractAnimation::Running)
        frames_.start();
    update();
    emit burstStarted();
}

void ConfettiView::stopBirths(Flight* flight) {
    // An overlay that left the screen keeps nothing in flight.
    if (!isVisible()) {
        remove(flight);
        return;
    }
    flight->burst.stopBirths(elapsed(*flight));
}

void ConfettiView::remove(Flight* flight) {
    const auto found = std::find_if(bursts_.begin(), bursts_.end(),
                                    [flight](const std::unique_ptr<Flight>& f) { return f.get() == flight; });
    if (found == bursts_.end())
        return;
    (*found)->stop.cancel();
    (*found)->removal.cancel();
    bursts_.erase(found);
    update();
    if (bursts_.empty()) {
        frames_.stop();
        paintedBounds_ = {};
        hide();
    }
}

double ConfettiView::elapsed(const Flight& flight) const {
    return std::chrono::duration<double>(sources_.clock->now() - flight.start).count();
}

std::vector<ConfettiPiece> ConfettiView::piecesNow() const {
    std::vector<ConfettiPiece> pieces;
    for (const auto& flight : bursts_) {
        auto more = flight->burst.piecesAt(elapsed(*flight));
        pieces.insert(pieces.end(), more.begin(), more.end());
    }
    return pieces;
}

void ConfettiView::nextFrame() {
    // Only the band the pieces cover now, and covered in the last frame, is drawn again.
    const QRectF bounds = ConfettiBurst::bounds(piecesNow());
    update((bounds | paintedBounds_).toAlignedRect() & rect());
    paintedBounds_ = bounds;
}

void ConfettiView::paintEvent(QPaintEvent*) {
    const std::vector<ConfettiPiece> pieces = piecesNow();
    if (pieces.empty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    const double ratio = devicePixelRatioF();
    const QRectF piece(QPointF(-Confetti::kPieceSize.width() / 2, -Confetti::kPieceSize.height() / 2),
                       Confetti::kPieceSize);
    for (const ConfettiPiece& each : pieces) {
        painter.resetTransform();
        painter.translate(each.position);
        painter.rotate(qRadiansToDegrees(each.rotation));
        painter.scale(each.scale, each.scale);
        painter.setOpacity(each.opacity);
        painter.drawPixmap(piece.topLeft(), piecePixmap(each.color, ratio));
    }
}

} // namespace zn
