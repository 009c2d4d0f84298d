#include "Views/Dashboard/SafetyGroupCard.h"

#include "Views/Dashboard/CategoryToggleRow.h"
#include "Views/Dashboard/DashboardFormat.h"
#include "Views/Dashboard/RowList.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QVBoxLayout>

namespace zn {

namespace {

QString subtitle(CleaningSafetyGroup group) {
    switch (group) {
    case CleaningSafetyGroup::safeToClean:
        return QStringLiteral("Files Zelva Nexal can remove without asking you to make technical choices.");
    case CleaningSafetyGroup::reviewFirst:
        return QStringLiteral("Files that may be personal. Look them over before cleaning.");
    case CleaningSafetyGroup::advanced:
        return QStringLiteral("For coding tools and large app files. Review before cleaning.");
    }
    return {};
}

} // namespace

SafetyGroupCard::SafetyGroupCard(AppState& state, CleaningSafetyGroup group, QWidget* parent)
    : CardSurface(0, std::nullopt, CardElevation::standard, parent), state_(state), group_(group),
      rows_(new QVBoxLayout) {
    auto* header = new QVBoxLayout;
    header->setContentsMargins(16, 14, 16, 8);
    header->setSpacing(2);
    header->addWidget(new TextLabel(QString::fromUtf8(rawValue(group)), systemFont(13.5, QFont::DemiBold)));
    auto* explanation = new TextLabel(subtitle(group), systemFont(11.5), PlatformColor::secondaryLabel);
    explanation->setWordWrap(true);
    header->addWidget(explanation);
    contentLayout()->addLayout(header);
    rows_->setSpacing(0);
    contentLayout()->addLayout(rows_);
}

void SafetyGroupCard::setResults(const std::vector<const CategoryResult*>& results) {
    setVisible(!results.empty());
    keepRowCount(*rows_, results.size(), [&] { return new CategoryToggleRow(state_, *results.front()); });
    for (std::size_t index = 0; index < results.size(); ++index) {
        auto* row = rowAt<CategoryToggleRow>(*rows_, index);
        row->setResult(*results[index]);
        row->setShowsDivider(index + 1 < results.size());
    }
}

std::vector<CategoryToggleRow*> SafetyGroupCard::rows() const {
    return allRows<CategoryToggleRow>(*rows_);
}

} // namespace zn
