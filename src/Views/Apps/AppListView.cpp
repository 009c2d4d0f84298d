#include "Views/Apps/AppListView.h"

#include "ViewModels/AppState.h"
#include "Views/Apps/AppFilesView.h"
#include "Views/Apps/ByteCountDelegate.h"
#include "Views/Apps/InstalledAppsFilter.h"
#include "Views/Apps/InstalledAppsModel.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/SearchField.h"
#include "Views/Kit/Feedback/BusyIndicator.h"
#include "Views/Kit/Feedback/EmptyStateView.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Lists/TableHeader.h"
#include "Views/Kit/Surfaces/HairlineSplitter.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QShowEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace zn {

namespace {

constexpr int kRowHeight = 28;

} // namespace

AppListView::AppListView(AppState& state, FileViewer& fileViewer, QuestionPrompter& prompter, QWidget* parent)
    : QWidget(parent), state_(&state), search_(new SearchField(QStringLiteral("Search apps"), this)),
      items_(new QWidget(this)) {
    search_->hide();
    items_->hide();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    rescan_ = new BorderedButton(QStringLiteral("Rescan apps"), BorderedButton::Prominence::standard);
    rescan_->setLeadingSymbol("arrow.clockwise");
    remove_ = new BorderedButton(QString(), BorderedButton::Prominence::prominent);
    remove_->setTint(qColor(Tint::red));
    remove_->setLeadingNexalMark(true, 15);
    auto* items = new QHBoxLayout(items_);
    items->setContentsMargins(0, 0, 0, 0);
    items->setSpacing(8);
    items->addWidget(rescan_);
    items->addWidget(remove_);

    splitter_ = new HairlineSplitter;
    column->addWidget(splitter_, 1);

    appPane_ = new QStackedWidget;
    appPane_->setMinimumWidth(300);
    appPane_->setMaximumWidth(600);
    loading_ = new QWidget;
    auto* loading = new QVBoxLayout(loading_);
    loading->setSpacing(12);
    loading->addStretch(1);
    loading->addWidget(new BusyIndicator(BusyIndicator::Style::spinning), 0, Qt::AlignHCenter);
    loading->addWidget(new TextLabel(QStringLiteral("Looking for apps..."), textFont(TextStyle::body)), 0,
                       Qt::AlignHCenter);
    loading->addStretch(1);
    appPane_->addWidget(loading_);
    noApps_ = new EmptyStateView(QStringLiteral("No apps found"), "square.grid.2x2",
                                 QStringLiteral("Zelva Nexal couldn't find apps on this Mac."), [this] { rescan(); },
                                 QStringLiteral("Retry"), false);
    appPane_->addWidget(noApps_);

    model_ = new InstalledAppsModel(this);
    filter_ = new InstalledAppsFilter(*model_, this);
    table_ = new QTableView;
    table_->setHorizontalHeader(new TableHeader(table_));
    table_->setModel(filter_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(InstalledAppsModel::applicationColumn, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setShowGrid(false);
    table_->setAlternatingRowColors(true);
    table_->setFrameShape(QFrame::NoFrame);
    table_->setIconSize(QSize(20, 20));
    table_->setWordWrap(false);
    table_->setTextElideMode(Qt::ElideRight);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setSectionResizeMode(InstalledAppsModel::applicationColumn, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(InstalledAppsModel::sizeColumn, QHeaderView::Interactive);
    table_->horizontalHeader()->setMinimumSectionSize(70);
    table_->horizontalHeader()->resizeSection(InstalledAppsModel::sizeColumn, 90);
    table_->setItemDelegateForColumn(InstalledAppsModel::sizeColumn, new ByteCountDelegate(table_));
    table_->setFont(textFont(TextStyle::body));
    appPane_->addWidget(table_);
    splitter_->addWidget(appPane_);

    detailPane_ = new QStackedWidget;
    detailPane_->setMinimumWidth(300);
    chooseApp_ = new EmptyStateView(QStringLiteral("Choose an app"), "cursorarrow.click.2",
                                    QStringLiteral("Pick an app to see the extra files it may have left behind."));
    detailPane_->addWidget(chooseApp_);
    files_ = new AppFilesView(state, fileViewer, prompter);
    files_->setHost(*this);
    detailPane_->addWidget(files_);
    splitter_->addWidget(detailPane_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({380, 600});

    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) { filter_->setSearchText(text); });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &AppListView::selectionChanged);
    connect(rescan_, &QPushButton::clicked, this, &AppListView::rescan);
    connect(remove_, &QPushButton::clicked, this, [this] { state_->removeSelectedFiles(); });
    connect(&state, &AppState::installedAppsChanged, this, &AppListView::refreshApps);
    connect(&state, &AppState::isLoadingAppsChanged, this, &AppListView::refreshAppPane);
    connect(&state, &AppState::selectedAppChanged, this, &AppListView::refreshDetailPane);
    connect(&state, &AppState::selectedFilesChanged, this, &AppListView::refreshRemoveButton);
    refreshApps();
    refreshDetailPane();
    refreshRemoveButton();
}

AppListView::~AppListView() {
    delete search_.data();
    delete items_.data();
}

void AppListView::rescan() {
    state_->setIsLoadingApps(true);
    state_->loadInstalledApps();
}

void AppListView::refreshApps() {
    // A new list keeps the chosen row when its application is still there.
    const auto selected = selection_;
    restoringSelection_ = true;
    model_->setApps(state_->installedApps());
    if (selected)
        selectRow(*selected);
    restoringSelection_ = false;
    setWindowTitle(
        QStringLiteral("Uninstall Apps (%1)").arg(static_cast<qlonglong>(state_->installedApps().size())));
    refreshAppPane();
}

void AppListView::selectRow(const Uuid& id) {
    for (int row = 0; row < filter_->rowCount(); ++row) {
        const QModelIndex index = filter_->index(row, 0);
        if (model_->app(filter_->mapToSource(index).row()).id == id) {
            table_->selectRow(row);
            return;
        }
    }
}

void AppListView::refreshAppPane() {
    if (state_->isLoadingApps())
        appPane_->setCurrentWidget(loading_);
    else if (state_->installedApps().empty())
        appPane_->setCurrentWidget(noApps_);
    else
        appPane_->setCurrentWidget(table_);
}

void AppListView::refreshDetailPane() {
    const auto& app = state_->selectedApp();
    if (!app) {
        detailPane_->setCurrentWidget(chooseApp_);
        return;
    }
    files_->setApp(*app);
    detailPane_->setCurrentWidget(files_);
}

void AppListView::refreshRemoveButton() {
    const auto count = state_->selectedFiles().size();
    remove_->setVisible(count > 0);
    remove_->setText(QStringLiteral("Remove app files (%1)").arg(static_cast<qlonglong>(count)));
}

void AppListView::selectionChanged() {
    if (restoringSelection_)
        return;
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    // No row chosen: the detail pane keeps the application it shows.
    if (rows.isEmpty())
        return;
    const Uuid id = model_->app(filter_->mapToSource(rows.first()).row()).id;
    selection_ = id;
    const auto& apps = state_->installedApps();
    const auto found = std::find_if(apps.begin(), apps.end(), [&](const InstalledApp& app) { return app.id == id; });
    if (found == apps.end())
        return;
    const InstalledApp app = *found;
    state_->setSelectedApp(app);
    state_->scanForAppFiles(app);
}

void AppListView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // A removal that ended while the screen was away is judged now, after this turn of the event loop.
    QMetaObject::invokeMethod(files_, &AppFilesView::reviewRemovalOutcome, Qt::QueuedConnection);
    // Shown anew: the search, the chosen row and the order start over.
    search_->clear();
    selection_.reset();
    table_->clearSelection();
    table_->sortByColumn(InstalledAppsModel::applicationColumn, Qt::AscendingOrder);
}

} // namespace zn
