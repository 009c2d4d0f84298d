#include "Views/Dashboard/IdleHero.h"

#include "ViewModels/AppState.h"
#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Dashboard/StorageBreakdown.h"
#include "Views/Dashboard/StorageGauge.h"
#include "Views/Kit/Controls/ActionButton.h"
#include "Views/Kit/Labels/NumericTextLabel.h"
#include "Views/Kit/Labels/StatusChip.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/DisplayText.h"
#include "Views/Kit/Theme/NexalIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zn {

namespace {

QFont brandFont() {
    QFont font = systemFont(13, QFont::DemiBold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    return font;
}

QColor brandColor(ColorScheme scheme) {
    return byScheme(scheme, qColor(Tint::green), qColor(Tint::deepBlue));
}

} // namespace

IdleHero::IdleHero(AppState& state, QWidget* parent)
    : CardSurface(24, std::nullopt, CardElevation::raised, parent), state_(state), gauge_(new StorageGauge),
      brand_(new TextLabel(QStringLiteral("Zelva Nexal").toUpper(), brandFont(), brandColor)),
      safeFirst_(
          new StatusChip(QStringLiteral("Safe first"), std::string("checkmark.shield.fill"), QColor())),
      lowSpace_(new StatusChip(QStringLiteral("Low space"), std::string("exclamationmark.triangle.fill"),
                               QColor())),
      free_(new NumericTextLabel(systemFont(34, QFont::DemiBold), PlatformColor::primaryLabel)),
      freeOf_(new TextLabel(QString(), systemFont(12), PlatformColor::secondaryLabel)),
      scanButton_(new ActionButton(QStringLiteral("Scan my Mac"),
                                   PrimaryActionButtonStyle{qColor(Tint::green), Qt::white, 252, 62, 15})),
      breakdown_(new StorageBreakdown) {
    auto* row = new QHBoxLayout;
    row->setSpacing(28);
    gauge_->setFixedSize(180, 180);
    row->addWidget(gauge_, 0, Qt::AlignVCenter);

    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(8);
    titleRow->addWidget(brand_);
    titleRow->addWidget(safeFirst_);
    titleRow->addWidget(lowSpace_);
    titleRow->addStretch(1);
    auto* subtitle =
        new TextLabel(QStringLiteral("Start with safe files. Your documents and photos stay unselected."),
                      systemFont(13, QFont::DemiBold), PlatformColor::secondaryLabel);
    subtitle->setWordWrap(true);
    auto* titleBlock = new QVBoxLayout;
    titleBlock->setSpacing(6);
    titleBlock->addLayout(titleRow);
    titleBlock->addWidget(subtitle);

    free_->setMinimumScaleFactor(0.82);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addLayout(titleBlock);
    texts->addWidget(free_);
    texts->addWidget(freeOf_);

    scanButton_->setFont(systemFont(20, QFont::DemiBold));
    scanButton_->setLeadingIcon(NexalIcon::paint, 32);
    scanButton_->setIconSpacing(12);
    scanButton_->setToolTip(QStringLiteral("Scan your Mac"));
    scanButton_->setAccessibleName(QStringLiteral("Scan my Mac"));
    scanButton_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(scanButton_, &QPushButton::clicked, this, [this] { state_.startSmartScan(); });

    auto* top = new QHBoxLayout;
    top->setSpacing(24);
    top->addLayout(texts, 1);
    top->addWidget(scanButton_, 0, Qt::AlignVCenter);

    auto* column = new QVBoxLayout;
    column->setSpacing(14);
    column->addLayout(top);
    column->addWidget(breakdown_);
    row->addLayout(column, 1);
    contentLayout()->addLayout(row);
}

bool IdleHero::showsLowSpace() const {
    return !lowSpace_->isHidden();
}

QString IdleHero::freeText() const {
    return free_->text();
}

QString IdleHero::freeOfText() const {
    return freeOf_->text();
}

void IdleHero::refresh() {
    const ColorScheme scheme = colorScheme(*this);
    const DiskInfo& disk = state_.diskInfo();
    const double percentUsed = dashboard::percentUsed(disk);
    const bool low = dashboard::isLowSpace(percentUsed);
    const QColor accent = schemeAccent(scheme);
    const QColor warning = warningColor(scheme);

    setAccent(low ? warning : accent);
    gauge_->setPercentUsed(percentUsed);
    safeFirst_->setTint(accent);
    lowSpace_->setTint(warning);
    lowSpace_->setVisible(low);
    free_->setText(bytesText(disk.freeSpace));
    free_->setColor(low ? ColorSource(warningColor)
                        : ColorSource(PlatformColor::primaryLabel));
    freeOf_->setText(dashboard::freeOfText(disk.totalSpace));
    scanButton_->setEnabled(!state_.isBusy());
    breakdown_->setFigures(disk.usedSpace, disk.totalSpace, state_.totalJunkSize(), disk.purgeableSpace);
}

} // namespace zn
