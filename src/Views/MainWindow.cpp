#include "Views/MainWindow.h"

#include "Platform/core/ByteCountFormatter.h"
#include "Platform/core/StringFormat.h"
#include "Platform/qt/QuestionPrompter.h"
#include "Services/PermissionCoordinator.h"
#include "ViewModels/AppState.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zn {

namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

QString bytes(std::int64_t count) {
    return text(formatByteCount(count));
}

} // namespace

MainWindow::MainWindow(AppState& state, PermissionCoordinator& permission, QuestionPrompter& prompter,
                       QWidget* parent)
    : QWidget(parent), state_(&state), permission_(permission), prompter_(prompter), reactions_(state),
      status_(new QLabel), progress_(new QProgressBar), scan_(new QPushButton(QStringLiteral("Scan"))),
      clean_(new QPushButton), results_(new QTreeWidget) {
    auto* bar = new QHBoxLayout;
    bar->addWidget(status_, 1);
    bar->addWidget(progress_);
    bar->addWidget(scan_);
    bar->addWidget(clean_);
    results_->setColumnCount(2);
    results_->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size")});
    results_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(results_, 1);
    progress_->setRange(0, 100);

    connect(scan_, &QPushButton::clicked, this, [this] { state_->startSmartScan(); });
    connect(clean_, &QPushButton::clicked, this, &MainWindow::clean);
    connect(results_, &QTreeWidget::itemChanged, this, &MainWindow::itemChanged);
    for (auto signal : {&AppState::categoryResultsChanged, &AppState::selectedCleanupItemsChanged,
                        &AppState::deselectedItemsChanged})
        connect(&state, signal, this, &MainWindow::refreshResults);
    for (auto signal : {&AppState::scanStateChanged, &AppState::scanProgressChanged,
                        &AppState::cleanProgressChanged, &AppState::currentScanCategoryChanged,
                        &AppState::totalJunkSizeChanged, &AppState::totalFreedSpaceChanged})
        connect(&state, signal, this, &MainWindow::refreshControls);
    connect(&reactions_, &CleanFailureReactions::alertMessageChanged, this,
            &MainWindow::showCleanFailureAlert);
    refreshResults();
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    state_->checkFullDiskAccess();
    permission_.refreshStatus();
}

void MainWindow::refreshResults() {
    QSignalBlocker quiet(results_);
    results_->clear();
    for (const CategoryResult& result : state_->allResults()) {
        auto* group = new QTreeWidgetItem(
            results_, {text(std::string(displayName(result.category))), bytes(result.totalSize)});
        for (std::size_t index = 0; index < result.items.size(); ++index) {
            const CleanableItem& item = result.items[index];
            auto* row = new QTreeWidgetItem(group, {text(item.name), bytes(item.size)});
            row->setToolTip(0, text(item.path));
            row->setData(0, kItemRole, QVariant::fromValue(QString::fromStdString(item.id.uuidString())));
            row->setCheckState(0, state_->isItemSelected(item) ? Qt::Checked : Qt::Unchecked);
        }
        group->setExpanded(true);
    }
    refreshControls();
}

void MainWindow::refreshControls() {
    const ScanState& scanState = state_->scanState();
    const bool busy = state_->isBusy();
    switch (scanState.kind()) {
    case ScanState::Kind::scanning:
        status_->setText(text(state_->currentScanCategory()));
        progress_->setValue(static_cast<int>(state_->scanProgress() * 100));
        break;
    case ScanState::Kind::cleaning:
        status_->setText(QStringLiteral("Cleaning…"));
        progress_->setValue(static_cast<int>(state_->cleanProgress() * 100));
        break;
    case ScanState::Kind::completed:
        status_->setText(bytes(state_->totalJunkSize()) + QStringLiteral(" found"));
        progress_->setValue(100);
        break;
    case ScanState::Kind::cleaned:
        status_->setText(bytes(state_->totalFreedSpace()));
        progress_->setValue(100);
        break;
    case ScanState::Kind::idle:
        status_->clear();
        progress_->setValue(0);
        break;
    }
    progress_->setVisible(busy);
    scan_->setEnabled(!busy);
    const auto selected = state_->selectedItemsToClean();
    const std::string format = state_->selectedItemsRequireConfirmation() ? "Review %@" : "Clean %@ now";
    clean_->setText(text(formatString(format, {formatByteCount(totalSizeOf(selected))})));
    clean_->setEnabled(!busy && !selected.empty());
}

void MainWindow::itemChanged(QTreeWidgetItem* row) {
    const QString id = row->data(0, kItemRole).toString();
    if (id.isEmpty())
        return;
    for (const CategoryResult& result : state_->allResults())
        for (const CleanableItem& item : result.items)
            if (QString::fromStdString(item.id.uuidString()) == id &&
                state_->isItemSelected(item) != (row->checkState(0) == Qt::Checked)) {
                state_->toggleItem(item);
                return;
            }
}

void MainWindow::clean() {
    if (!state_->selectedItemsRequireConfirmation()) {
        state_->cleanAll();
        return;
    }
    PromptQuestion question{
        formatString("Review before cleaning %@",
                     {formatByteCount(totalSizeOf(state_->selectedItemsToClean()))}),
        "Some selected items may be personal or tied to coding tools. Review them before cleaning.",
        "Clean selected items", "Cancel"};
    QPointer<MainWindow> self(this);
    prompter_.open(question, [self](bool accepted) {
        if (self && accepted)
            self->state_->cleanAll();
    });
}

void MainWindow::showCleanFailureAlert() {
    auto message = reactions_.alertMessage();
    if (!message || alert_)
        return;
    alert_ = new QMessageBox(QMessageBox::Warning, QStringLiteral("Couldn't clean everything"),
                             text(*message), QMessageBox::NoButton, this);
    alert_->setAttribute(Qt::WA_DeleteOnClose);
    alert_->addButton(QStringLiteral("OK"), QMessageBox::RejectRole);
    connect(alert_, &QMessageBox::finished, this, [this] {
        if (state_)
            state_->setCleanError(std::nullopt);
    });
    alert_->open();
}

} // namespace zn
