#include "Views/Settings/FormSection.h"

#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Surfaces/RoundedShape.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace zn {

namespace {
constexpr int kRowVerticalPadding = 8;
constexpr int kRowMinimumHeight = 38;
constexpr int kTitleSpacing = 6;
} // namespace

FormSection::FormSection(const QString& title, QWidget* parent) : QWidget(parent), group_(new QWidget) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(kTitleSpacing);
    if (!title.isEmpty()) {
        auto* label = new TextLabel(title, systemFont(13, QFont::DemiBold));
        label->setContentsMargins(2, 0, 0, 0);
        title_ = label;
        column->addWidget(label);
    }
    rows_ = new QVBoxLayout(group_);
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->setSpacing(0);
    column->addWidget(group_);
}

void FormSection::addRow(QWidget* row) {
    if (row->layout())
        row->layout()->setContentsMargins(kRowHorizontalPadding, kRowVerticalPadding, kRowHorizontalPadding,
                                          kRowVerticalPadding);
    row->setMinimumHeight(kRowMinimumHeight);
    // Hiding or showing a row moves the hairlines between the others.
    row->installEventFilter(this);
    rows_->addWidget(row);
}

QWidget* FormSection::addControlRow(const QString& label, QWidget* control) {
    return addControlRow(new TextLabel(label, textFont(TextStyle::body)), control);
}

QWidget* FormSection::addControlRow(QWidget* label, QWidget* control) {
    auto* row = new QWidget;
    auto* line = new QHBoxLayout(row);
    line->addWidget(label);
    line->addStretch();
    line->addWidget(control, 0, Qt::AlignVCenter);
    addRow(row);
    return row;
}

QRectF FormSection::groupRect() const {
    return QRectF(group_->geometry());
}

bool FormSection::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        update();
    return QWidget::eventFilter(watched, event);
}

void FormSection::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorScheme scheme = colorScheme(*this);
    const QRectF group = groupRect();
    fillRoundedRect(painter, group, kCornerRadius, platformColor(PlatformColor::controlBackground, scheme));
    strokeRoundedBorder(
        painter, group, kCornerRadius,
        withOpacity(platformColor(PlatformColor::primaryLabel, scheme), byScheme(scheme, 0.1, 0.08)), 0.75);

    // A hairline under every visible row but the last, indented like the rows' content.
    QWidget* previous = nullptr;
    painter.setPen(QPen(platformColor(PlatformColor::separator, scheme), 1));
    for (int i = 0; i < rows_->count(); ++i) {
        QWidget* row = rows_->itemAt(i)->widget();
        if (!row || row->isHidden())
            continue;
        if (previous) {
            const double y = group.top() + row->geometry().top() + 0.5;
            painter.drawLine(QPointF(group.left() + kRowHorizontalPadding, y),
                             QPointF(group.right() - kRowHorizontalPadding, y));
        }
        previous = row;
    }
}

} // namespace zn
