#include "Views/Dashboard/CleanedLayout.h"

#include "ViewModels/AppState.h"
#include "Views/Dashboard/DashboardColumn.h"
#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Labels/NumericTextLabel.h"
#include "Views/Kit/Labels/SymbolEffectView.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Surfaces/CardSurface.h"
#include "Views/Kit/Theme/DisplayText.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zn {

CleanedLayout::CleanedLayout(AppState& state, QWidget* parent)
    : StateLayout(parent), state_(state),
      hero_(new CardSurface(24, qColor(Tint::green), CardElevation::raised)),
      check_(new SymbolEffectView("checkmark", 54, qColor(Tint::green))),
      freed_(new NumericTextLabel(systemFont(40, QFont::DemiBold), qColor(Tint::green))),
      done_(new BorderedButton(QStringLiteral("Done"), BorderedButton::Prominence::prominent)) {
    auto* row = new QHBoxLayout;
    row->setSpacing(28);
    check_->setDisc(qColor(Tint::green, 0.12));
    check_->setFixedSize(120, 120);
    row->addWidget(check_);

    done_->setControlSize(BorderedButton::ControlSize::large);
    // "Done" ends the cleaned state at once; the state's own return to idle a moment later changes nothing.
    connect(done_, &QPushButton::clicked, this, [this] { state_.setScanState(ScanState::idle()); });
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    column->addStretch(1);
    column->addWidget(freed_);
    column->addWidget(new TextLabel(QStringLiteral("freed"), systemFont(14), PlatformColor::secondaryLabel));
    column->addSpacing(4);
    column->addWidget(done_, 0, Qt::AlignLeft);
    column->addStretch(1);
    row->addLayout(column);
    row->addStretch(1);
    hero_->contentLayout()->addLayout(row);
    auto* layout = makeStateColumn(*this);
    layout->addWidget(hero_);
}

void CleanedLayout::refresh() {
    const std::int64_t freed = state_.totalFreedSpace();
    check_->bounceOnChange(freed);
    freed_->setText(bytesText(freed));
}

QString CleanedLayout::freedText() const {
    return freed_->text();
}

} // namespace zn
