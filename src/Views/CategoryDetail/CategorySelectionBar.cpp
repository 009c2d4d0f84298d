#include "Views/CategoryDetail/CategorySelectionBar.h"

#include "Views/CategoryDetail/CategoryDetailTexts.h"
#include "Views/CategoryDetail/TrailingCheckMarkStyle.h"
#include "Views/Kit/Controls/ActionButton.h"
#include "Views/Kit/Labels/SymbolView.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Surfaces/OverflowWidgetItem.h"
#include "Views/Kit/Surfaces/PanelPainter.h"
#include "Views/Kit/Theme/NexalIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/Symbols.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QVBoxLayout>

namespace zn {

namespace {

constexpr double kCornerRadius = 12;

ActionButton* secondaryButton(const QString& text, double minWidth) {
    auto* button = new ActionButton(text, SecondaryActionButtonStyle{QColor(), minWidth, 46, 15});
    button->setForeground(ColorSource(PlatformColor::primaryLabel));
    button->setFont(systemFont(14.5, QFont::DemiBold));
    return button;
}

} // namespace

CategorySelectionBar::CategorySelectionBar(QWidget* parent)
    : QWidget(parent), statusSymbol_(new SymbolView("circle", 24, PlatformColor::secondaryLabel)),
      summary_(new TextLabel(QString(), systemFont(15, QFont::DemiBold))),
      sizeSummary_(new TextLabel(QString(), systemFont(12), PlatformColor::secondaryLabel)),
      selectAll_(secondaryButton(QStringLiteral("Select all"), 140)), sort_(secondaryButton(QStringLiteral("Sort: Size"), 138)),
      clean_(new ActionButton(QStringLiteral("Clean"), PrimaryActionButtonStyle{qColor(Tint::green), Qt::white, 138, 52, 17})),
      sortMenu_(new QMenu(this)), largestFirst_(new QAction(QStringLiteral("Largest First"), this)),
      smallestFirst_(new QAction(QStringLiteral("Smallest First"), this)) {
    summary_->setMonospacedDigits(true);
    sizeSummary_->setMonospacedDigits(true);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 8, 14, 8);
    row->setSpacing(18);

    auto* status = new QHBoxLayout;
    status->setSpacing(10);
    status->addWidget(statusSymbol_);
    // The two lines keep together in the middle of the bar, however high its buttons make it.
    auto* lines = new QVBoxLayout;
    lines->setSpacing(2);
    lines->addStretch(1);
    lines->addWidget(summary_);
    lines->addWidget(sizeSummary_);
    lines->addStretch(1);
    status->addLayout(lines);
    row->addLayout(status);
    row->addStretch(1);

    selectAll_->setToolTip(QStringLiteral("Select or deselect all files"));
    selectAll_->setAccessibleName(QStringLiteral("Select all files"));
    selectAll_->setLeadingIcon(
        [this](QPainter& painter, const QRectF& frame, const QColor& foreground) {
            paintSymbol(painter, frame, "square", 17, foreground);
            if (allSelected_)
                paintSymbol(painter, frame, "checkmark", 9.5, foreground);
        },
        17);
    connect(selectAll_, &QPushButton::clicked, this, &CategorySelectionBar::selectAllPressed);
    row->addWidget(selectAll_);

    sort_->setLeadingSymbol(std::string("arrow.up.arrow.down"));
    sort_->setTrailingIcon(
        [this](QPainter& painter, const QRectF& frame, const QColor&) {
            paintSymbol(painter, frame, "chevron.down", 9, platformColor(*this, PlatformColor::secondaryLabel));
        },
        9);
    auto* menuStyle = new TrailingCheckMarkStyle;
    menuStyle->setParent(sortMenu_);
    sortMenu_->setStyle(menuStyle);
    auto* order = new QActionGroup(this);
    for (QAction* action : {largestFirst_, smallestFirst_}) {
        action->setCheckable(true);
        order->addAction(action);
        sortMenu_->addAction(action);
    }
    connect(largestFirst_, &QAction::triggered, this, [this] { emit sortChosen(true); });
    connect(smallestFirst_, &QAction::triggered, this, [this] { emit sortChosen(false); });
    sort_->setMenu(sortMenu_);
    row->addWidget(sort_);

    clean_->setFont(systemFont(17, QFont::DemiBold));
    clean_->setLeadingIcon([](QPainter& painter, const QRectF& frame,
                              const QColor& foreground) { NexalIcon::paint(painter, frame, foreground); },
                           24);
    connect(clean_, &QPushButton::clicked, this, &CategorySelectionBar::cleanPressed);
    // Its shadow reaches above the bar's padding.
    clean_->setParent(this);
    row->addItem(new OverflowWidgetItem(clean_));
    setSortDescending(true);
}

void CategorySelectionBar::showNumbers(const Numbers& numbers, bool needsReview, bool busy) {
    allSelected_ = numbers.itemCount > 0 && numbers.selectedCount == numbers.itemCount;
    const bool anySelected = numbers.selectedCount > 0;
    statusSymbol_->setSymbol(anySelected ? "checkmark.circle" : "circle");
    statusSymbol_->setColor(anySelected ? ColorSource(qColor(Tint::green)) : ColorSource(PlatformColor::secondaryLabel));
    summary_->setText(selectionSummaryText(numbers.selectedCount));
    sizeSummary_->setText(selectedSizeSummaryText(numbers.selectedSize));
    selectAll_->update();

    clean_->setEnabled(numbers.selectedSize >= 1 && !busy);
    const QString label = cleanItemsLabel(numbers.selectedCount, needsReview);
    clean_->setToolTip(label);
    clean_->setAccessibleName(label);
}

void CategorySelectionBar::setSortDescending(bool descending) {
    largestFirst_->setChecked(descending);
    smallestFirst_->setChecked(!descending);
    sort_->setToolTip(descending ? QStringLiteral("Sort: Largest First") : QStringLiteral("Sort: Smallest First"));
    sort_->setAccessibleName(descending ? QStringLiteral("Sort by largest first")
                                        : QStringLiteral("Sort by smallest first"));
}

void CategorySelectionBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintPanel(painter, QRectF(rect()), colorScheme(*this), kCornerRadius);
}

} // namespace zn
