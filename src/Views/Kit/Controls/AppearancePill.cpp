#include "Views/Kit/Controls/AppearancePill.h"

#include "Views/Kit/Motion/AnimatedValue.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/ThemeManager.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <array>
#include <cmath>

namespace zn {

namespace {

struct ModeLook {
    AppearanceMode mode;
    const char* symbol;
    const char* help;
};

constexpr std::array<ModeLook, 3> kModes{{
    {AppearanceMode::system, "circle.lefthalf.filled", "System"},
    {AppearanceMode::light, "sun.max.fill", "Light"},
    {AppearanceMode::dark, "moon.fill", "Dark"},
}};

int indexOf(AppearanceMode mode) {
    return static_cast<int>(mode);
}

double buttonLeft(AppearanceMode mode) {
    return indexOf(mode) * (AppearancePill::kButtonSize.width() + AppearancePill::kSpacing);
}

// How far the highlight stands over a button: 1 right under it, 0 a whole button away or more.
double highlightShare(double highlightLeft, AppearanceMode mode) {
    const double step = AppearancePill::kButtonSize.width() + AppearancePill::kSpacing;
    return std::clamp(1 - std::abs(highlightLeft - buttonLeft(mode)) / step, 0.0, 1.0);
}

const Timing& slide() {
    static const Timing timing = Timing::springy(0.32, 0.78);
    return timing;
}

} // namespace

AppearancePill::AppearancePill(AppearanceMode selection, QWidget* parent)
    : QWidget(parent), selection_(selection), highlightX_(new AnimatedValue(this, buttonLeft(selection))) {
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
}

AppearancePill* AppearancePill::boundTo(ThemeManager& manager, QWidget* parent) {
    auto* pill = new AppearancePill(manager.mode(), parent);
    connect(pill, &AppearancePill::selectionWritten, &manager, &ThemeManager::setMode);
    connect(&manager, &ThemeManager::objectWillChange, pill, [pill, &manager] { pill->setSelection(manager.mode()); });
    return pill;
}

void AppearancePill::setSelection(AppearanceMode mode) {
    if (mode == selection_)
        return;
    selection_ = mode;
    highlightX_->animateTo(buttonLeft(mode), slide());
    update();
}

QRect AppearancePill::buttonRect(AppearanceMode mode) const {
    return QRect(QPoint(static_cast<int>(buttonLeft(mode)), 0), kButtonSize);
}

QSize AppearancePill::sizeHint() const {
    return {3 * kButtonSize.width() + 2 * kSpacing, kButtonSize.height()};
}

QColor AppearancePill::symbolColor(AppearanceMode mode) const {
    // The colour follows the highlight's place, so it changes on the highlight's spring.
    const ColorScheme scheme = colorScheme(*this);
    return mixed(platformColor(PlatformColor::secondaryLabel, scheme),
                 platformColor(PlatformColor::primaryLabel, scheme),
                 highlightShare(highlightX_->value(), mode));
}

std::optional<AppearanceMode> AppearancePill::modeAt(const QPoint& position) const {
    for (const ModeLook& look : kModes)
        if (buttonRect(look.mode).contains(position))
            return look.mode;
    return std::nullopt;
}

void AppearancePill::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QRectF highlight(highlightX_->value(), 0, kButtonSize.width(), kButtonSize.height());
    fillRoundedRect(painter, highlight, 6,
                    withOpacity(platformColor(PlatformColor::primaryLabel, scheme), 0.1));
    for (const ModeLook& look : kModes)
        paintSymbol(painter, QRectF(buttonRect(look.mode)), look.symbol, 12, symbolColor(look.mode));
}

void AppearancePill::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton ? modeAt(event->position().toPoint()) : std::nullopt;
}

void AppearancePill::mouseReleaseEvent(QMouseEvent* event) {
    const std::optional<AppearanceMode> released = modeAt(event->position().toPoint());
    if (pressed_ && released == pressed_) {
        setSelection(*released);
        emit selectionWritten(*released);
    }
    pressed_.reset();
}

bool AppearancePill::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const std::optional<AppearanceMode> mode = modeAt(help->pos())) {
            const QRect area = buttonRect(*mode);
            QToolTip::showText(help->globalPos(), QString::fromLatin1(kModes[indexOf(*mode)].help), this, area);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

} // namespace zn
