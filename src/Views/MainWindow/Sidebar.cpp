#include "Views/MainWindow/Sidebar.h"

#include "ViewModels/AppState.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Surfaces/Divider.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/MainWindow/HealthFooter.h"
#include "Views/MainWindow/SidebarBadges.h"
#include "Views/MainWindow/SidebarRow.h"

#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace zn {

namespace {

using enum CleaningCategory;

constexpr std::array kEverydayCategories{systemJunk, userCache, purgeableSpace, privacySweep};
constexpr std::array kReviewFirstCategories{mailAttachments, trashBins, largeFiles};
constexpr std::array kAdvancedCategories{aiApps, xcodeJunk, brewCache, nodeCache, dockerCache};

template <std::size_t N> std::vector<SidebarRow*> categoryRows(const std::array<CleaningCategory, N>& categories) {
    std::vector<SidebarRow*> rows;
    for (const CleaningCategory category : categories)
        rows.push_back(new SidebarRow({AppSection::cleaning(category), QString::fromUtf8(displayName(category)),
                                       std::string(icon(category)),
                                       std::function<QColor(ColorScheme)>([category](ColorScheme scheme) {
                                           return qColor(color(category, scheme));
                                       })}));
    return rows;
}

} // namespace

Sidebar::Sidebar(AppState& state, PermissionCoordinator& permission, QWidget* parent)
    : QWidget(parent), state_(&state), footer_(new HealthFooter(state, permission)) {
    setMinimumWidth(kMinimumWidth);
    setMaximumWidth(kMaximumWidth);

    auto* groups = new QWidget;
    groups->setAutoFillBackground(false);
    auto* list = new QVBoxLayout(groups);
    list->setContentsMargins(14, 18, 14, 14);
    list->setSpacing(18);
    list->addWidget(buildGroup(QStringLiteral("Home"),
                               {new SidebarRow({AppSection::cleaning(smartScan), QStringLiteral("Quick Clean"), "sparkles",
                                                qColor(Tint::green), true})}));
    list->addWidget(buildGroup(
        QStringLiteral("Applications"),
        {new SidebarRow({AppSection::apps(), QStringLiteral("Uninstall Apps"), "square.grid.2x2.fill",
                         tintByScheme(Tint::darkBlue, Tint::blue)}),
         new SidebarRow({AppSection::orphans(), QStringLiteral("Old App Leftovers"), "doc.questionmark.fill",
                         tintByScheme(Tint::darkGold, Tint::blue)})}));
    list->addWidget(buildGroup(QStringLiteral("Everyday cleanup"), categoryRows(kEverydayCategories)));
    list->addWidget(buildGroup(QStringLiteral("Review first"), categoryRows(kReviewFirstCategories)));
    list->addWidget(buildGroup(QStringLiteral("Advanced"), categoryRows(kAdvancedCategories)));
    list->addStretch(1);

    auto* scroll = new QScrollArea;
    scroll->setWidget(groups);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->viewport()->setAutoFillBackground(false);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(scroll, 1);
    column->addWidget(new Divider(Qt::Horizontal, 0.45));
    column->addWidget(footer_);

    for (auto signal : {&AppState::totalJunkSizeChanged, &AppState::installedAppsChanged,
                        &AppState::orphanedFilesChanged, &AppState::categoryResultsChanged})
        connect(&state, signal, this, &Sidebar::refreshBadges);
    refreshBadges();
}

QWidget* Sidebar::buildGroup(const QString& title, const std::vector<SidebarRow*>& rows) {
    auto* group = new QWidget;
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    QFont font = systemFont(10.5, QFont::DemiBold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
    auto* heading = new TextLabel(title.toUpper(), font, PlatformColor::tertiaryLabel);
    heading->setContentsMargins(6, 0, 6, 0);
    column->addWidget(heading);
    for (SidebarRow* row : rows)
        column->addWidget(addRow(row));
    return group;
}

SidebarRow* Sidebar::addRow(SidebarRow* row) {
    rows_.push_back(row);
    connect(row, &QAbstractButton::clicked, this, [this, row] { emit sectionChosen(row->section()); });
    return row;
}

void Sidebar::setSelection(const std::optional<AppSection>& section) {
    for (SidebarRow* row : rows_)
        row->setSelected(section && row->section() == *section);
}

SidebarRow& Sidebar::row(const AppSection& section) const {
    return **std::find_if(rows_.begin(), rows_.end(), [&](SidebarRow* row) { return row->section() == section; });
}

void Sidebar::refreshBadges() {
    if (!state_)
        return;
    for (SidebarRow* row : rows_) {
        const AppSection& section = row->section();
        switch (section.kind()) {
        case AppSection::Kind::apps:
            row->setBadge(countBadge(state_->installedApps().size()));
            break;
        case AppSection::Kind::orphans:
            row->setBadge(countBadge(state_->orphanedFiles().size()));
            break;
        case AppSection::Kind::cleaning:
            row->setBadge(*section.category() == smartScan ? dashboardBadge(state_->totalJunkSize())
                                                           : sizeBadge(state_->categoryResults(), *section.category()));
            break;
        }
    }
}

void Sidebar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), platformColor(*this, PlatformColor::windowBackground));
}

} // namespace zn
