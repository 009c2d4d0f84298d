#include "Views/Dashboard/CleaningLayout.h"

#include "ViewModels/AppState.h"
#include "Views/Dashboard/DashboardColumn.h"
#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Dashboard/ScanningGauge.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Surfaces/CardSurface.h"
#include "Views/Kit/Theme/NexalIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zn {

CleaningLayout::CleaningLayout(AppState& state, QWidget* parent)
    : StateLayout(parent), state_(state), hero_(new CardSurface(24, std::nullopt, CardElevation::raised)),
      gauge_(new ScanningGauge(warningColor, QStringLiteral("CLEANING"))),
      mark_(new NexalIcon(19, Qt::white)),
      percentComplete_(new TextLabel(QString(), systemFont(13), PlatformColor::secondaryLabel)) {
    auto* title = new QHBoxLayout;
    title->setSpacing(8);
    title->addWidget(mark_);
    title->addWidget(new TextLabel(QStringLiteral("Cleaning…"), systemFont(22, QFont::Bold)));
    title->addStretch(1);
    auto* column = new QVBoxLayout;
    column->setSpacing(8);
    column->addLayout(title);
    column->addWidget(percentComplete_);
    layOutGaugeHero(*hero_, *gauge_, column);
    auto* layout = makeStateColumn(*this);
    layout->addWidget(hero_);
}

void CleaningLayout::refresh() {
    const ColorScheme scheme = colorScheme(*this);
    hero_->setAccent(warningColor(scheme));
    // A white mark would vanish on the light card; there it takes the card's accent.
    mark_->setTint(byScheme(scheme, QColor(Qt::white), warningColor(scheme)));
    const double progress = state_.cleanProgress();
    gauge_->setProgress(progress);
    percentComplete_->setText(dashboard::percentCompleteText(progress));
}

QString CleaningLayout::percentCompleteText() const {
    return percentComplete_->text();
}

} // namespace zn
