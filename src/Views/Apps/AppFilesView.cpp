#include "Views/Apps/AppFilesView.h"

#include "Platform/core/ByteCountFormatter.h"
#include "Platform/core/PathText.h"
#include "Platform/core/VisibleText.h"
#include "Platform/qt/FileIcons.h"
#include "Platform/qt/FileViewer.h"
#include "Platform/qt/QuestionPrompter.h"
#include "ViewModels/AppState.h"
#include "ViewModels/ListedItemSizes.h"
#include "Views/Apps/InstalledAppIcon.h"
#include "Views/Kit/Controls/BorderedButton.h"
#include "Views/Kit/Controls/PlainIconButton.h"
#include "Views/Kit/Feedback/BusyIndicator.h"
#include "Views/Kit/Feedback/EmptyStateView.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Lists/CheckableFileRow.h"
#include "Views/Kit/Lists/FileChecklist.h"
#include "Views/Kit/Surfaces/Divider.h"
#include "Views/Kit/Theme/DisplayText.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/TextStyles.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zn {

namespace {

constexpr int kDefaultPadding = 16;

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

} // namespace

AppFilesView::AppFilesView(AppState& state, FileViewer& fileViewer, QuestionPrompter& prompter, QWidget* parent)
    : QWidget(parent), state_(&state), fileViewer_(fileViewer), prompter_(prompter), host_(this),
      sizes_(new ListedItemSizes(this)),
      alert_(this, QStringLiteral("Couldn't remove everything"), [this] {
          if (!state_)
              return;
          state_->setRemovalError(std::nullopt);
          state_->setRemovalNeedsFullDiskAccess(false);
      }) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(kDefaultPadding, kDefaultPadding, kDefaultPadding, kDefaultPadding);
    header->setSpacing(12);
    icon_ = new QLabel;
    icon_->setFixedSize(48, 48);
    header->addWidget(icon_);
    // The bundle's own icon is read off the main thread: the generic one shows until it is there.
    connect(&FileIcons::shared(), &FileIcons::iconLoaded, this, [this](const QString& path) {
        if (app_ && app_->path == path.toStdString())
            icon_->setPixmap(installedAppIcon(app_->path).pixmap(48, 48));
    });
    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    name_ = new TextLabel(QString(), textFont(TextStyle::title3, QFont::Bold));
    bundleIdentifier_ = new TextLabel(QString(), textFont(TextStyle::caption), PlatformColor::secondaryLabel);
    names->addWidget(name_);
    names->addWidget(bundleIdentifier_);
    header->addLayout(names);
    header->addStretch(1);
    totals_ = new QWidget;
    auto* totals = new QVBoxLayout(totals_);
    totals->setContentsMargins(0, 0, 0, 0);
    totals->setSpacing(2);
    fileCount_ = new TextLabel(QString(), textFont(TextStyle::callout), PlatformColor::secondaryLabel);
    selectedSize_ = new TextLabel(QString(), textFont(TextStyle::callout, QFont::Bold));
    selectedSize_->setMonospacedDigits(true);
    totals->addWidget(fileCount_, 0, Qt::AlignRight);
    totals->addWidget(selectedSize_, 0, Qt::AlignRight);
    header->addWidget(totals_);
    column->addLayout(header);
    column->addWidget(new Divider);

    content_ = new QStackedWidget;
    column->addWidget(content_, 1);

    searching_ = new QWidget;
    auto* searching = new QVBoxLayout(searching_);
    searching->setSpacing(12);
    searching->addStretch(1);
    searching->addWidget(new BusyIndicator(BusyIndicator::Style::spinning), 0, Qt::AlignHCenter);
    searching->addWidget(new TextLabel(QStringLiteral("Looking for extra app files..."), textFont(TextStyle::body)),
                         0, Qt::AlignHCenter);
    checkingPlaces_ = new TextLabel(QString(), textFont(TextStyle::caption), PlatformColor::secondaryLabel);
    searching->addWidget(checkingPlaces_, 0, Qt::AlignHCenter);
    searching->addStretch(1);
    content_->addWidget(searching_);

    listPage_ = new QWidget;
    auto* listColumn = new QVBoxLayout(listPage_);
    listColumn->setContentsMargins(0, 0, 0, 0);
    listColumn->setSpacing(0);
    list_ = new FileChecklist([this](CheckableFileRow& row) { setUpRow(row); });
    listColumn->addWidget(list_, 1);
    listColumn->addWidget(new Divider);
    auto* footer = new QHBoxLayout;
    footer->setContentsMargins(kDefaultPadding, 12, kDefaultPadding, 12);
    footer->setSpacing(8);
    selectAll_ = new BorderedButton(QStringLiteral("Select all"), BorderedButton::Prominence::standard);
    clearSelection_ = new BorderedButton(QStringLiteral("Clear selection"), BorderedButton::Prominence::standard);
    remove_ = new BorderedButton(QString(), BorderedButton::Prominence::prominent);
    remove_->setTint(qColor(Tint::red));
    remove_->setLeadingNexalMark(true, 15);
    footer->addWidget(selectAll_);
    footer->addWidget(clearSelection_);
    footer->addStretch(1);
    footer->addWidget(remove_);
    listColumn->addLayout(footer);
    content_->addWidget(listPage_);

    emptyPage_ = new QWidget;
    new QVBoxLayout(emptyPage_);
    emptyPage_->layout()->setContentsMargins(0, 0, 0, 0);
    content_->addWidget(emptyPage_);

    connect(selectAll_, &QPushButton::clicked, this, [this] {
        const auto& files = state_->discoveredFiles();
        state_->setSelectedFiles({files.begin(), files.end()});
    });
    connect(clearSelection_, &QPushButton::clicked, this, [this] { state_->setSelectedFiles({}); });
    connect(remove_, &QPushButton::clicked, this, [this] { state_->removeSelectedFiles(); });

    connect(&state, &AppState::discoveredFilesChanged, this, &AppFilesView::refreshFiles);
    connect(&state, &AppState::selectedFilesChanged, this, &AppFilesView::refreshSelection);
    connect(&state, &AppState::isScanningAppFilesChanged, this, [this] {
        // A new search: its files are sized afresh.
        if (state_->isScanningAppFiles())
            sizes_->reset();
        refreshContent();
    });
    connect(&state, &AppState::appFileScanLocationCountChanged, this, &AppFilesView::refreshContent);
    connect(sizes_, &ListedItemSizes::sizesArrived, this, &AppFilesView::showSizes);
    // Queued: the removal's outcome is judged once all of it is stored, whatever field was written first.
    connect(&state, &AppState::removalNeedsFullDiskAccessChanged, this, &AppFilesView::reviewRemovalOutcome,
            Qt::QueuedConnection);
    connect(&state, &AppState::removalErrorChanged, this, &AppFilesView::reviewRemovalOutcome,
            Qt::QueuedConnection);
    refreshFiles();
}

void AppFilesView::setApp(const InstalledApp& app) {
    const bool sameApp = app_ && app_->id == app.id;
    app_ = app;
    icon_->setPixmap(installedAppIcon(app.path).pixmap(48, 48));
    name_->setText(shownText(app.appName));
    bundleIdentifier_->setText(shownText(app.bundleIdentifier));
    if (sameApp)
        return;
    delete empty_;
    empty_ = new EmptyStateView(
        QStringLiteral("No extra files found"), "checkmark.circle",
        QStringLiteral("%1 doesn't appear to have extra files to remove.").arg(shownText(app.appName)));
    emptyPage_->layout()->addWidget(empty_);
}

void AppFilesView::setUpRow(CheckableFileRow& row) {
    const std::string path = row.path();
    connect(&row, &CheckableFileRow::toggled, this, [this, path](bool checked) {
        auto selected = state_->selectedFiles();
        if (checked)
            selected.insert(path);
        else
            selected.erase(path);
        state_->setSelectedFiles(std::move(selected));
    });
    auto* reveal = new PlainIconButton("folder", fontSize(textFont(TextStyle::caption)),
                                       PlatformColor::secondaryLabel, QStringLiteral("Reveal in Finder"));
    connect(reveal, &QAbstractButton::clicked, this, [this, path] { fileViewer_.reveal(path); });
    auto* remove = new PlainIconButton(13, qColor(Tint::red), QStringLiteral("Remove this file"));
    connect(remove, &QAbstractButton::clicked, this, [this, path] { confirmRemoval(path); });
    row.addHoverAccessory(reveal);
    row.addHoverAccessory(remove);
    row.setChecked(state_->selectedFiles().contains(path));
    row.setFolder(sizes_->isFolder(path).value_or(false));
    row.setSize(sizes_->size(path));
}

void AppFilesView::confirmRemoval(const std::string& path) {
    PromptQuestion question{"Remove " + visibleText(PathText::lastPathComponent(path)) + "?",
                            "This removes the selected extra app file. Your documents, photos, bookmarks, and "
                            "passwords are not touched.",
                            "Remove", "Cancel", true};
    QPointer<AppFilesView> self(this);
    prompter_.open(question, [self, path](bool accepted) {
        if (self && accepted)
            self->removeSingleFile(path);
    });
}

void AppFilesView::removeSingleFile(const std::string& path) {
    state_->setSelectedFiles({path});
    state_->removeSelectedFiles();
}

void AppFilesView::refreshFiles() {
    const auto& files = state_->discoveredFiles();
    list_->setPaths(files);
    sizes_->measure(files);
    fileCount_->setText(QStringLiteral("%1 files").arg(static_cast<qlonglong>(files.size())));
    totals_->setVisible(!files.empty());
    refreshSelection();
    refreshContent();
}

void AppFilesView::refreshSelection() {
    const auto& selected = state_->selectedFiles();
    for (CheckableFileRow* row : list_->rows())
        row->setChecked(selected.contains(row->path()));
    sizes_->setCounted(selected);
    refreshTotals();
}

void AppFilesView::showSizes(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        if (CheckableFileRow* row = list_->row(path)) {
            row->setFolder(sizes_->isFolder(path).value_or(false));
            row->setSize(sizes_->size(path));
        }
    refreshTotals();
}

void AppFilesView::refreshTotals() {
    const auto& selected = state_->selectedFiles();
    const QString total = text(formatByteCount(sizes_->countedTotal()));
    remove_->setVisible(!selected.empty());
    remove_->setText(
        QStringLiteral("Remove %1 files (%2)").arg(static_cast<qlonglong>(selected.size())).arg(total));
    selectedSize_->setText(total);
}

void AppFilesView::refreshContent() {
    if (state_->isScanningAppFiles()) {
        checkingPlaces_->setText(
            QStringLiteral("Checking %1 places...").arg(static_cast<qlonglong>(state_->currentAppFileSearchLocationCount())));
        content_->setCurrentWidget(searching_);
    } else {
        content_->setCurrentWidget(state_->discoveredFiles().empty() ? emptyPage_ : listPage_);
    }
}

void AppFilesView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A removal that ended while the screen was away is judged now, after this turn of the event loop.
    QMetaObject::invokeMethod(this, &AppFilesView::reviewRemovalOutcome, Qt::QueuedConnection);
}

void AppFilesView::reviewRemovalOutcome() {
    if (!state_ || !host_ || !host_->isVisible())
        return;
    if (state_->removalNeedsFullDiskAccess()) {
        retryWithFullDiskAccess();
        return;
    }
    if (const auto& error = state_->removalError())
        alert_.show(text(*error));
    else
        alert_.close();
}

void AppFilesView::retryWithFullDiskAccess() {
    std::vector<CleanableItem> items;
    for (const std::string& path : state_->lastFailedRemovalURLs())
        items.push_back(AppState::cleanableUninstallItem(path));
    state_->setRemovalError(std::nullopt);
    state_->setRemovalNeedsFullDiskAccess(false);
    state_->setLastFailedRemovalURLs({});
    const auto count = static_cast<std::int64_t>(items.size());
    state_->requestFullDiskAccessAndRetry(std::move(items),
                                          PermissionPromptContext::uninstall(app_ ? app_->appName : "", count));
}

} // namespace zn
