#include "Views/CategoryDetail/CategoryHeroCard.h"

#include "Views/CategoryDetail/CategoryDetailTexts.h"
#include "Views/CategoryDetail/CategoryIconTile.h"
#include "Views/Kit/Controls/ActionButton.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zn {

CategoryHeroCard::CategoryHeroCard(CleaningCategory category, QWidget* parent)
    : CardSurface(18, std::nullopt, CardElevation::standard, parent), tile_(new CategoryIconTile(category, 56, 14)),
      title_(new TextLabel(QString(), systemFont(22, QFont::DemiBold))),
      description_(new TextLabel(QString(), systemFont(12), PlatformColor::secondaryLabel)),
      countLine_(new TextLabel(QString(), systemFont(11.5, QFont::Medium))),
      rescan_(new ActionButton(QStringLiteral("Rescan"), SecondaryActionButtonStyle{QColor(), 118, 44, 15})) {
    auto* row = new QHBoxLayout;
    row->setSpacing(16);
    row->addWidget(tile_, 0, Qt::AlignVCenter);
    // The title block keeps its spacing and sits in the middle of the row, whatever the row's height.
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    column->addStretch(1);
    column->addWidget(title_);
    description_->setWordWrap(true);
    column->addWidget(description_);
    countLine_->setContentsMargins(0, 2, 0, 0);
    countLine_->setMonospacedDigits(true);
    column->addWidget(countLine_);
    column->addStretch(1);
    row->addLayout(column, 1);
    rescan_->setFont(systemFont(14, QFont::DemiBold));
    rescan_->setLeadingSymbol(std::string("arrow.clockwise"));
    rescan_->setForeground(ColorSource(schemeAccent));
    connect(rescan_, &QPushButton::clicked, this, &CategoryHeroCard::rescanPressed);
    row->addWidget(rescan_, 0, Qt::AlignVCenter);
    contentLayout()->addLayout(row);
    setCategory(category);
    showResult(nullptr, false);
}

void CategoryHeroCard::setCategory(CleaningCategory category) {
    tile_->setCategory(category);
    title_->setText(QString::fromUtf8(displayName(category)));
    description_->setText(QString::fromUtf8(description(category)));
    countLine_->setColor(ColorSource(std::function<QColor(ColorScheme)>(
        [category](ColorScheme scheme) { return qColor(color(category, scheme)); })));
}

void CategoryHeroCard::showResult(const CategoryResult* result, bool busy) {
    const bool hasItems = result && !result->items.empty();
    countLine_->setVisible(hasItems);
    if (hasItems)
        countLine_->setText(itemsAndSizeText(static_cast<std::int64_t>(result->items.size()), result->totalSize));
    rescan_->setVisible(result != nullptr);
    rescan_->setText(busy ? QStringLiteral("Scanning\u2026") : QStringLiteral("Rescan"));
    rescan_->setEnabled(!busy);
}

} // namespace zn
