#include "Views/MainWindow/MainWindow.h"

#include "Services/PermissionCoordinator.h"
#include "ViewModels/AppState.h"
#include "Views/CategoryDetail/CategoryDetailView.h"
#include "Views/Kit/Controls/SearchField.h"
#include "Views/Kit/Controls/SearchableScreen.h"
#include "Views/Kit/Controls/ToolbarScreen.h"
#include "Views/Kit/Surfaces/AppBackdrop.h"
#include "Views/MainWindow/AccessBanner.h"
#include "Views/MainWindow/MainToolbar.h"
#include "Views/MainWindow/Sidebar.h"
#include "Views/Permission/PermissionSheetPresenter.h"

#include <QGuiApplication>
#include <QSplitter>
#include <QVBoxLayout>

namespace zn {

MainWindow::MainWindow(ScreenServices services, QWidget* parent)
    : QWidget(parent), services_(services), reactions_(services.state),
      selectedSection_(AppSection::cleaning(CleaningCategory::smartScan)), toolbar_(new MainToolbar(services.theme)),
      sidebar_(new Sidebar(services.state, services.permission)), bannerRow_(new QWidget),
      banner_(new AccessBanner(services.state, services.permission)),
      detailLayout_(nullptr),
      // "OK", Escape or the window manager: every way of closing it clears the message.
      alert_(this, QString::fromLatin1(CleanFailureReactions::kAlertTitle),
             [this] { services_.state.setCleanError(std::nullopt); }),
      sheet_(new PermissionSheetPresenter(services.permission, *this, permissionSheetFactory())) {
    setMinimumSize(kMinimumSize);

    auto* bannerMargins = new QVBoxLayout(bannerRow_);
    bannerMargins->setContentsMargins(16, 12, 16, 0);
    bannerMargins->addWidget(banner_);

    auto* detail = new AppBackdrop;
    detailLayout_ = new QVBoxLayout(detail);
    detailLayout_->setContentsMargins(0, 0, 0, 0);
    detailLayout_->setSpacing(0);
    detailLayout_->addWidget(bannerRow_);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(sidebar_);
    splitter->addWidget(detail);
    splitter->setCollapsible(0, true);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    // Wide enough to grab; drawn as a hairline.
    splitter->setHandleWidth(5);
    splitter->setSizes({Sidebar::kIdealWidth, kMinimumSize.width() - Sidebar::kIdealWidth});

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(toolbar_);
    column->addWidget(splitter, 1);

    // The toolbar's title stays above the detail column, wherever the split is.
    sidebar_->installEventFilter(this);
    toolbar_->setLeadingWidth(Sidebar::kIdealWidth);
    connect(sidebar_, &Sidebar::sectionChosen, this,
            [this](const AppSection& section) { setSelectedSection(section); });
    AppState& state = services.state;
    connect(&state, &AppState::hasFullDiskAccessChanged, this, &MainWindow::updateBanner);
    connect(&state, &AppState::fdaBannerDismissedChanged, this, &MainWindow::updateBanner);
    connect(&reactions_, &CleanFailureReactions::alertMessageChanged, this, &MainWindow::updateCleanFailureAlert);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &MainWindow::applicationStateChanged);

    updateBanner();
    setSelectedSection(selectedSection_);
}

MainWindow::~MainWindow() {
    // The screen's toolbar items and search field sit in the toolbar: give them back so that they go with
    // their screen.
    retireScreen();
}

void MainWindow::setSelectedSection(std::optional<AppSection> section) {
    selectedSection_ = section;
    sidebar_->setSelection(section);
    const DetailScreen kind = detailScreenFor(section);
    if (screen_ && kind == screenKind_) {
        if (auto* categories = qobject_cast<CategoryDetailView*>(screen_))
            categories->setCategory(*section->category());
        return;
    }
    showScreen(screenFactory(kind)(services_, section), kind);
}

void MainWindow::showScreen(QWidget* screen, DetailScreen kind) {
    retireScreen();
    screen_ = screen;
    screenKind_ = kind;
    detailLayout_->addWidget(screen, 1);
    toolbar_->setTitle(screen->windowTitle());
    connect(screen, &QWidget::windowTitleChanged, toolbar_, &MainToolbar::setTitle);
    if (auto* tooled = dynamic_cast<ToolbarScreen*>(screen))
        toolbar_->setItems(&tooled->toolbarItems());
    if (auto* searchable = dynamic_cast<SearchableScreen*>(screen))
        toolbar_->setSearchField(&searchable->searchField());
}

void MainWindow::retireScreen() {
    if (!screen_)
        return;
    QWidget* old = std::exchange(screen_, nullptr);
    disconnect(old, nullptr, toolbar_, nullptr);
    for (QWidget* lent : {toolbar_->releaseItems(), static_cast<QWidget*>(toolbar_->releaseSearchField())})
        if (lent) {
            lent->hide();
            lent->setParent(old);
        }
    detailLayout_->removeWidget(old);
    old->hide();
    // A screen may be replaced from inside one of its own handlers: it goes once that handler returns.
    old->deleteLater();
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A failure that arrived while no window was open is handled now, after the state's current update.
    QMetaObject::invokeMethod(
        this,
        [this] {
            reactions_.handOffIfFixable();
            updateCleanFailureAlert();
            sheet_->update();
        },
        Qt::QueuedConnection);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sidebar_ && event->type() == QEvent::Resize)
        toolbar_->setLeadingWidth(sidebar_->width());
    return QWidget::eventFilter(watched, event);
}

void MainWindow::applicationStateChanged(Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive)
        return;
    services_.state.checkFullDiskAccess();
    services_.permission.refreshStatus();
}

void MainWindow::updateBanner() {
    const AppState& state = services_.state;
    bannerRow_->setVisible(!state.hasFullDiskAccess() && !state.fdaBannerDismissed());
}

void MainWindow::updateCleanFailureAlert() {
    const std::optional<std::string> message = reactions_.alertMessage();
    if (!message) {
        alert_.close();
        return;
    }
    // A window that is not shown yet opens it when it appears.
    if (alert_.isOpen() || isVisible())
        alert_.show(QString::fromStdString(*message));
}

} // namespace zn
