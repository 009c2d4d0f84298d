#include "Views/Orphans/OrphanListView.h"

#include "Platform/core/PathText.h"
#include "Platform/core/VisibleText.h"
#include "Platform/qt/FileViewer.h"
#include "Platform/qt/QuestionPrompter.h"
#include "Platform/qt/UrlOpener.h"
#include "ViewModels/AppState.h"
#include "ViewModels/ListedItemSizes.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Feedback/BusyIndicator.h"
#include "Views/Kit/Feedback/EmptyStateView.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Lists/CheckableFileRow.h"
#include "Views/Kit/Lists/FileChecklist.h"
#include "Views/Kit/Theme/NexalIcon.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zn {

namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

// The product mark as a menu icon.
QIcon markIcon(double size, const QColor& tint) {
    QPixmap pixmap(QSize(qRound(size), qRound(size)) * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    NexalIcon::paint(painter, QRectF(0, 0, size, size), tint);
    return QIcon(pixmap);
}

} // namespace

OrphanListView::OrphanListView(AppState& state, FileViewer& fileViewer, UrlOpener& urlOpener,
                               QuestionPrompter& prompter, QWidget* parent)
    : QWidget(parent), state_(&state), fileViewer_(fileViewer),
      urlOpener_(urlOpener), prompter_(prompter), sizes_(new ListedItemSizes(this)),
      items_(new QWidget(this)), alert_(this, QStringLiteral("Some files could not be removed"),
                                        [this] { removalErrorMessage_.reset(); }) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    selectToggle_ = new BorderedButton(QStringLiteral("Select all"), BorderedButton::Prominence::standard);
    scan_ = new BorderedButton(QStringLiteral("Scan leftovers"), BorderedButton::Prominence::standard);
    remove_ = new BorderedButton(QString(), BorderedButton::Prominence::prominent);
    remove_->setTint(qColor(Tint::red));
    remove_->setLeadingNexalMark(true, 15);
    items_->hide();
    auto* items = new QHBoxLayout(items_);
    items->setContentsMargins(0, 0, 0, 0);
    items->setSpacing(8);
    items->addWidget(selectToggle_);
    items->addWidget(scan_);
    items->addWidget(remove_);

    content_ = new QStackedWidget;
    column->addWidget(content_, 1);
    searching_ = new QWidget;
    auto* searching = new QVBoxLayout(searching_);
    searching->setSpacing(16);
    searching->addStretch(1);
    auto* progress = new QWidget;
    progress->setMaximumWidth(300);
    auto* progressColumn = new QVBoxLayout(progress);
    progressColumn->setContentsMargins(0, 0, 0, 0);
    progressColumn->setSpacing(8);
    progressColumn->addWidget(
        new TextLabel(QStringLiteral("Looking for old app leftovers..."), textFont(TextStyle::body)));
    progressColumn->addWidget(new BusyIndicator(BusyIndicator::Style::linear));
    progress->setFixedWidth(300);
    searching->addWidget(progress, 0, Qt::AlignHCenter);
    searching->addStretch(1);
    content_->addWidget(searching_);
    empty_ = new EmptyStateView(
        QStringLiteral("No old app leftovers"), "checkmark.circle",
        QStringLiteral("Zelva Nexal didn't find files from apps you've removed."),
        [this] { state_->findOrphans(); }, QStringLiteral("Scan again"), false);
    content_->addWidget(empty_);
    list_ = new FileChecklist([this](CheckableFileRow& row) { setUpRow(row); });
    content_->addWidget(list_);

    connect(selectToggle_, &QPushButton::clicked, this, &OrphanListView::toggleSelectAll);
    connect(scan_, &QPushButton::clicked, this, [this] { state_->findOrphans(); });
    connect(remove_, &QPushButton::clicked, this, &OrphanListView::removeSelectedOrphans);
    connect(&state, &AppState::orphanedFilesChanged, this, &OrphanListView::refreshList);
    connect(&state, &AppState::isSearchingOrphansChanged, this, [this] {
        // A new search: its leftovers are sized afresh.
        if (state_->isSearchingOrphans())
            sizes_->reset();
        refreshContent();
    });
    connect(sizes_, &ListedItemSizes::sizesArrived, this, &OrphanListView::showSizes);
    refreshList();
}

void OrphanListView::setUpRow(CheckableFileRow& row) {
    const std::string path = row.path();
    connect(&row, &CheckableFileRow::toggled, this, [this, path](bool checked) {
        auto selected = selected_;
        if (checked)
            selected.insert(path);
        else
            selected.erase(path);
        setSelectedOrphans(std::move(selected));
    });
    connect(&row, &CheckableFileRow::contextMenuRequested, this, [this, path](const QPoint& position) {
        QMenu* menu = contextMenu(path);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(position);
    });
    row.setCheckEnabled(!removing_);
    row.setChecked(selected_.contains(path));
    row.setFolder(sizes_->isFolder(path).value_or(false));
    row.setSize(sizes_->size(path));
}

QMenu* OrphanListView::contextMenu(const std::string& path) {
    auto* menu = new QMenu(this);
    connect(menu->addAction(QStringLiteral("Reveal in Finder")), &QAction::triggered, this,
            [this, path] { revealInFinder(path); });
    connect(menu->addAction(QStringLiteral("Copy file path")), &QAction::triggered, this,
            [this, path] { copyPath(path); });
    menu->addSeparator();
    QAction* trash = menu->addAction(markIcon(14, qColor(Tint::red)), QStringLiteral("Move to Trash"));
    trash->setEnabled(!removing_);
    connect(trash, &QAction::triggered, this, [this, path] { moveToTrash(path); });
    return menu;
}

OrphanListView::~OrphanListView() {
    delete items_.data();
}

void OrphanListView::setSelectedOrphans(std::set<std::string> selected) {
    // Only what is listed can be selected: a selection never outlives its row.
    const auto& listed = state_->orphanedFiles();
    const std::set<std::string> shown(listed.begin(), listed.end());
    std::erase_if(selected, [&](const std::string& path) { return !shown.contains(path); });
    selected_ = std::move(selected);
    refreshSelection();
}

void OrphanListView::toggleSelectAll() {
    const auto& listed = state_->orphanedFiles();
    if (selected_.size() == listed.size())
        setSelectedOrphans({});
    else
        setSelectedOrphans({listed.begin(), listed.end()});
}

void OrphanListView::removeSelectedOrphans() {
    if (removing_ || selected_.empty())
        return;
    const auto count = static_cast<qlonglong>(selected_.size());
    PromptQuestion question{
        QStringLiteral("Remove %1 selected item(s) permanently?").arg(count).toStdString(),
        "The selected leftovers are deleted for good. They don't go to the Trash, and this can't be undone.",
        "Remove", "Cancel", true};
    QPointer<OrphanListView> self(this);
    prompter_.open(question, [self](bool accepted) {
        if (!self || !accepted || self->removing_ || self->selected_.empty())
            return;
        self->runRemovalPass({self->selected_.begin(), self->selected_.end()}, {});
    });
}

void OrphanListView::removeSingleOrphan(const std::string& path) {
    if (removing_)
        return;
    QPointer<OrphanListView> self(this);
    // The user's other selections stay as they are.
    runRemovalPass({path}, [self, path] {
        if (!self)
            return;
        auto selected = self->selected_;
        selected.erase(path);
        self->setSelectedOrphans(std::move(selected));
    });
}

void OrphanListView::runRemovalPass(std::vector<std::string> paths, std::function<void()> finished) {
    setRemoving(true);
    QPointer<OrphanListView> self(this);
    state_->removeOrphans(std::move(paths),
                          [self, finished = std::move(finished)](const OrphanRemovalOutcome& outcome) {
                              if (!self)
                                  return;
                              self->showFailures(outcome.failures);
                              self->setRemoving(false);
                              if (finished)
                                  finished();
                          });
}

void OrphanListView::showFailures(const std::vector<std::string>& failures) {
    if (auto message = orphanRemovalMessage(failures)) {
        removalErrorMessage_ = message;
        alert_.show(text(*message));
    }
}

void OrphanListView::moveToTrash(const std::string& path) {
    if (removing_)
        return;
    setRemoving(true);
    QPointer<OrphanListView> self(this);
    state_->moveOrphanToTrash(path, [self, path](const OrphanTrashResult& result) {
        if (!self)
            return;
        self->setRemoving(false);
        self->finishTrashMove(path, result);
    });
}

void OrphanListView::finishTrashMove(const std::string& path, const OrphanTrashResult& result) {
    switch (result.outcome) {
    case OrphanTrashOutcome::trashed:
    case OrphanTrashOutcome::alreadyGone:
        return;
    case OrphanTrashOutcome::keptForSafety:
        showFailures({keptForSafetyText(path)});
        return;
    // Deleting it for good would not take the other user's entry either: nothing more to offer.
    case OrphanTrashOutcome::keptForAnotherUser:
        showFailures({keptEntryText(result.keptEntry)});
        return;
    case OrphanTrashOutcome::failed:
        break;
    }
    PromptQuestion question{"Delete \u201C" + visibleText(PathText::lastPathComponent(path)) +
                                "\u201D permanently?",
                            "Zelva Nexal couldn't move it to the Trash. If you delete it now, it is deleted "
                            "for good and can't be put back.",
                            "Delete Permanently", "Cancel", true};
    QPointer<OrphanListView> self(this);
    prompter_.open(question, [self, path](bool accepted) {
        if (self && accepted)
            self->removeSingleOrphan(path);
    });
}

void OrphanListView::revealInFinder(const std::string& path) {
    const auto place = revealPlaceOf(path);
    if (!place)
        return;
    if (place->isEntry)
        fileViewer_.reveal(place->path);
    else
        urlOpener_.open(QUrl::fromLocalFile(text(place->path)));
}

void OrphanListView::copyPath(const std::string& path) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text(path));
}

void OrphanListView::setRemoving(bool removing) {
    removing_ = removing;
    for (CheckableFileRow* row : list_->rows())
        row->setCheckEnabled(!removing);
    remove_->setEnabled(!removing);
    selectToggle_->setEnabled(!removing);
}

void OrphanListView::refreshList() {
    list_->setPaths(state_->orphanedFiles());
    sizes_->measure(state_->orphanedFiles());
    setWindowTitle(
        QStringLiteral("Old app leftovers (%1)").arg(static_cast<qlonglong>(state_->orphanedFiles().size())));
    setSelectedOrphans(selected_);
    refreshContent();
}

void OrphanListView::refreshSelection() {
    for (CheckableFileRow* row : list_->rows())
        row->setChecked(selected_.contains(row->path()));
    const auto& listed = state_->orphanedFiles();
    selectToggle_->setVisible(!listed.empty());
    selectToggle_->setText(selected_.size() == listed.size() ? QStringLiteral("Clear selection")
                                                             : QStringLiteral("Select all"));
    remove_->setVisible(!selected_.empty());
    remove_->setText(QStringLiteral("Remove selected (%1)").arg(static_cast<qlonglong>(selected_.size())));
}

void OrphanListView::showSizes(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        if (CheckableFileRow* row = list_->row(path)) {
            row->setFolder(sizes_->isFolder(path).value_or(false));
            row->setSize(sizes_->size(path));
        }
}

void OrphanListView::refreshContent() {
    if (state_->isSearchingOrphans())
        content_->setCurrentWidget(searching_);
    else if (state_->orphanedFiles().empty())
        content_->setCurrentWidget(empty_);
    else
        content_->setCurrentWidget(list_);
}

} // namespace zn
