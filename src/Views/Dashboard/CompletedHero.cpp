#include "Views/Dashboard/CompletedHero.h"

#include "ViewModels/AppState.h"
#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Kit/Controls/ActionButton.h"
#include "Views/Kit/Labels/NumericTextLabel.h"
#include "Views/Kit/Labels/SymbolEffectView.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/DisplayText.h"
#include "Views/Kit/Theme/NexalIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextDrawing.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QHBoxLayout>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace zn {

namespace {

const QColor kGreen = qColor(Tint::green);

QFont foundFont() {
    return systemFont(40, QFont::DemiBold);
}
QFont noteFont() {
    return systemFont(16);
}
QFont spotlessFont() {
    return systemFont(22, QFont::Bold);
}

} // namespace

CompletedHero::CompletedHero(AppState& state, QWidget* parent)
    : CardSurface(24, std::nullopt, CardElevation::raised, parent), state_(state), spotless_(new QWidget),
      seal_(new SymbolEffectView("checkmark.seal.fill", 26, kGreen)), found_(new QWidget),
      foundBytes_(new NumericTextLabel(foundFont(), PlatformColor::primaryLabel)),
      foundNote_(new TextLabel(QString(), noteFont(), PlatformColor::secondaryLabel)),
      spotlessTitle_(new TextLabel(QStringLiteral("Your Mac looks spotless"), spotlessFont(), kGreen)),
      scanAgain_(new ActionButton(QStringLiteral("Scan Again"), PrimaryActionButtonStyle{})),
      scanAgainLift_(new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed)),
      clean_(new ActionButton(QString(), PrimaryActionButtonStyle{kGreen, Qt::white, 280, 64, 15})),
      selectionNote_(new TextLabel(QString(), systemFont(12), PlatformColor::secondaryLabel)) {
    auto* spotlessRow = new QHBoxLayout(spotless_);
    spotlessRow->setContentsMargins(0, 0, 0, 0);
    spotlessRow->setSpacing(10);
    spotlessRow->addWidget(seal_);
    spotlessRow->addWidget(spotlessTitle_);

    // The two texts share their baseline: the smaller one is lifted by the difference of their descents.
    auto* foundRow = new QHBoxLayout(found_);
    foundRow->setContentsMargins(0, 0, 0, 0);
    foundRow->setSpacing(8);
    foundRow->addWidget(foundBytes_, 0, Qt::AlignBottom);
    foundNote_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    foundNote_->setContentsMargins(
        0, 0, 0, qRound(TextMetrics(foundFont()).descent() - TextMetrics(noteFont()).descent()));
    foundRow->addWidget(foundNote_, 0, Qt::AlignBottom);

    connect(scanAgain_, &QPushButton::clicked, this, [this] { state_.startSmartScan(); });
    // The row lines its pieces up on their first baselines: each hangs from the top, lowered as needed.
    auto* scanAgainColumn = new QVBoxLayout;
    scanAgainColumn->setSpacing(0);
    scanAgainColumn->addSpacerItem(scanAgainLift_);
    scanAgainColumn->addWidget(scanAgain_);
    scanAgainColumn->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(spotless_, 0, Qt::AlignTop);
    top->addWidget(found_, 0, Qt::AlignTop);
    top->addStretch(1);
    top->addLayout(scanAgainColumn);

    clean_->setFont(systemFont(17, QFont::DemiBold));
    clean_->setLeadingIcon(NexalIcon::paint, 28);
    clean_->setIconSpacing(12);
    connect(clean_, &QPushButton::clicked, this, &CompletedHero::cleanPressed);
    // Its pieces are hidden one by one (a container would cut off the button's shadow).
    auto* selection = new QHBoxLayout;
    selection->setSpacing(12);
    selection->addWidget(clean_);
    selection->addWidget(selectionNote_);
    selection->addStretch(1);

    auto* column = new QVBoxLayout;
    column->setSpacing(14);
    column->addLayout(top);
    column->addLayout(selection);
    contentLayout()->addLayout(column);
}

void CompletedHero::cleanPressed() {
    // The selection may have changed since the label was drawn: ask the state now.
    if (state_.selectedItemsRequireConfirmation())
        emit reviewRequested();
    else
        state_.cleanAll();
}

void CompletedHero::refresh() {
    const ColorScheme scheme = colorScheme(*this);
    const QColor accent = schemeAccent(scheme);
    const std::int64_t junk = state_.totalJunkSize();
    const bool spotless = junk < 1;
    seal_->bounceOnChange(junk);

    setAccent(spotless ? kGreen : accent);
    scanAgain_->setButtonStyle(PrimaryActionButtonStyle{accent, Qt::white, 132, 40, 11});
    scanAgain_->setEnabled(!state_.isBusy());
    spotless_->setVisible(spotless);
    found_->setVisible(!spotless);
    alignTopRowBaselines(spotless);
    selectionNote_->setVisible(!spotless);
    if (spotless) {
        clean_->hide();
        return;
    }

    const bool needsReview = state_.selectedItemsRequireConfirmation();
    const std::int64_t selectedTotal = state_.selectedSizeToClean();
    foundBytes_->setText(bytesText(junk));
    foundNote_->setText(needsReview ? QStringLiteral("found") : QStringLiteral("ready to clean"));
    clean_->setVisible(selectedTotal >= 1);
    clean_->setText(dashboard::reviewSelectedLabel(needsReview, selectedTotal));
    clean_->setEnabled(!state_.isBusy());
    selectionNote_->setText(
        needsReview ? QStringLiteral("You picked items that should be reviewed first.")
                    : QStringLiteral("No documents, photos, bookmarks, or passwords are selected."));
}

void CompletedHero::alignTopRowBaselines(bool spotless) {
    QWidget& lead = spotless ? *spotless_ : *found_;
    // The spotless title takes the height of the seal beside it; the amount is as high as its own line.
    const double leadBaseline =
        spotless
            ? TextMetrics(spotlessFont())
                  .centredBaseline(std::max(seal_->sizeHint().height(), spotlessTitle_->sizeHint().height()))
            : TextMetrics(foundFont()).centredBaseline(foundBytes_->sizeHint().height());
    const double line = std::max(leadBaseline, scanAgain_->labelBaseline());
    lead.layout()->setContentsMargins(0, qRound(line - leadBaseline), 0, 0);
    scanAgainLift_->changeSize(0, qRound(line - scanAgain_->labelBaseline()), QSizePolicy::Fixed,
                               QSizePolicy::Fixed);
    layout()->invalidate();
}

bool CompletedHero::showsSpotless() const {
    return !spotless_->isHidden();
}

QString CompletedHero::foundText() const {
    return foundBytes_->text();
}

QString CompletedHero::foundNote() const {
    return foundNote_->text();
}

QString CompletedHero::selectionNote() const {
    return selectionNote_->text();
}

} // namespace zn
