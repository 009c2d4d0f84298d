#include "Views/Dashboard/ScanningLayout.h"

#include "ViewModels/AppState.h"
#include "Views/Dashboard/DashboardColumn.h"
#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Dashboard/LiveResultRow.h"
#include "Views/Dashboard/RowList.h"
#include "Views/Dashboard/ScanningGauge.h"
#include "Views/Kit/Feedback/LinearProgressBar.h"
#include "Views/Kit/Labels/SymbolEffectView.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Surfaces/CardSurface.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zn {

namespace {

const ColorSource kAccent = schemeAccent;

QColor sparklesEnd(ColorScheme scheme) {
    return byScheme(scheme, qColor(Tint::slate), qColor(Tint::green));
}

} // namespace

ScanningLayout::ScanningLayout(AppState& state, QWidget* parent)
    : StateLayout(parent), state_(state), heroCard_(new CardSurface(24, std::nullopt, CardElevation::raised)),
      gauge_(new ScanningGauge(kAccent, QStringLiteral("SCANNING"))),
      currentlyIn_(new TextLabel(QString(), systemFont(13), PlatformColor::secondaryLabel)),
      bar_(new LinearProgressBar(kAccent)),
      progressText_(new TextLabel(QString(), systemFont(11.5, QFont::Medium), PlatformColor::secondaryLabel)),
      liveHeader_(makeSectionHeader(QStringLiteral("Found so far"))),
      liveCard_(new CardSurface(0, std::nullopt, CardElevation::standard)), liveRows_(new QVBoxLayout) {
    auto* sparkles = new SymbolEffectView("sparkles", 18, kAccent);
    sparkles->setGradientEnd(ColorSource(sparklesEnd));
    sparkles->setRepeatingGlow(true);
    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(8);
    titleRow->addWidget(sparkles);
    titleRow->addWidget(new TextLabel(QStringLiteral("Looking for safe files to clean"), systemFont(22, QFont::Bold)));
    titleRow->addStretch(1);

    auto* progress = new QWidget;
    progress->setMaximumWidth(320);
    auto* progressColumn = new QVBoxLayout(progress);
    progressColumn->setContentsMargins(0, 2, 0, 0);
    progressColumn->setSpacing(5);
    progressColumn->addWidget(bar_);
    progressColumn->addWidget(progressText_);

    auto* column = new QVBoxLayout;
    column->setSpacing(10);
    column->addLayout(titleRow);
    column->addWidget(currentlyIn_);
    column->addWidget(progress);
    layOutGaugeHero(*heroCard_, *gauge_, column);

    liveRows_->setSpacing(0);
    liveCard_->contentLayout()->addLayout(liveRows_);

    auto* layout = makeStateColumn(*this);
    layout->addWidget(heroCard_);
    layout->addWidget(liveHeader_);
    layout->addWidget(liveCard_);
}

void ScanningLayout::refresh() {
    heroCard_->setAccent(schemeAccent(colorScheme(*this)));
    const double progress = state_.scanProgress();
    gauge_->setProgress(progress);
    currentlyIn_->setText(dashboard::currentlyInText(state_.currentScanCategory()));
    bar_->setValue(progress > 0 ? std::optional(progress) : std::nullopt);
    progressText_->setText(dashboard::scanProgressText(progress));
    refreshLiveResults();
}

void ScanningLayout::refreshLiveResults() {
    const std::vector<const CategoryResult*> results = state_.shownResults();
    const std::size_t shown = std::min(results.size(), kMaximumLiveRows);
    liveHeader_->setVisible(shown > 0);
    liveCard_->setVisible(shown > 0);
    keepRowCount(*liveRows_, shown, [] { return new LiveResultRow; });
    for (std::size_t index = 0; index < shown; ++index) {
        auto* row = rowAt<LiveResultRow>(*liveRows_, index);
        row->setResult(results[index]->category, results[index]->totalSize);
        row->setShowsDivider(index + 1 < shown);
    }
}

QString ScanningLayout::currentlyInText() const {
    return currentlyIn_->text();
}

QString ScanningLayout::progressText() const {
    return progressText_->text();
}

std::vector<LiveResultRow*> ScanningLayout::liveRows() const {
    return allRows<LiveResultRow>(*liveRows_);
}

bool ScanningLayout::showsLiveResults() const {
    return !liveCard_->isHidden();
}

} // namespace zn
