#include "Views/CategoryDetail/NotScannedStateView.h"

#include "Views/CategoryDetail/CategoryDetailTexts.h"
#include "Views/CategoryDetail/CategoryIconTile.h"
#include "Views/Kit/Controls/ActionButton.h"
#include "Views/Kit/Feedback/CentredWrapping.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Motion/WidgetOpacity.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zn {

NotScannedStateView::NotScannedStateView(CleaningCategory category, QWidget* parent)
    : QWidget(parent), tile_(new CategoryIconTile(category, 58, 15)),
      description_(new TextLabel(QString(), systemFont(13.5), PlatformColor::secondaryLabel)),
      scan_(new ActionButton(QStringLiteral("Scan"), PrimaryActionButtonStyle{qColor(Tint::green), Qt::white, 148, 52, 17})) {
    setWidgetOpacity(*tile_, 0.72);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 0, 20, 0);
    column->setSpacing(14);
    column->addStretch(1);
    column->addSpacing(44);
    column->addWidget(tile_, 0, Qt::AlignHCenter);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(7);
    auto* title = new TextLabel(QStringLiteral("Not scanned yet"), systemFont(20, QFont::DemiBold));
    texts->addWidget(title, 0, Qt::AlignHCenter);
    description_->setWordWrap(true);
    description_->setAlignment(Qt::AlignHCenter);
    description_->setMaximumWidth(360);
    texts->addLayout(centredWrapping(description_));
    column->addLayout(texts);

    scan_->setFont(systemFont(17, QFont::DemiBold));
    scan_->setLeadingSymbol(std::string("magnifyingglass"));
    scan_->setToolTip(QStringLiteral("Scan this category"));
    scan_->setAccessibleName(QStringLiteral("Scan this category"));
    connect(scan_, &QPushButton::clicked, this, &NotScannedStateView::scanPressed);
    column->addSpacing(5);
    column->addWidget(scan_, 0, Qt::AlignHCenter);
    column->addSpacing(84);
    column->addStretch(1);
    setCategory(category);
}

void NotScannedStateView::setCategory(CleaningCategory category) {
    tile_->setCategory(category);
    description_->setText(notScannedDescription(category));
}

void NotScannedStateView::setBusy(bool busy) {
    scan_->setEnabled(!busy);
}

} // namespace zn
