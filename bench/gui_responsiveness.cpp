// Runs the application state and its screens, shown on the offscreen platform with motion on, and reports
// for each phase the GUI thread's longest stall (the worst lateness of a 5 ms probe timer) and the number
// of repaints. Three runs, each over a synthetic home of its own:
//
// - dashboard: the Quick Clean dashboard over a home of about 200,000 files: a smart scan, then a clean of
//   what it selects by default, then the cleaned state with its confetti until the dashboard is idle again;
// - category: the main window on the Trash, holding 100,000 items: its scan, typing a ten-letter filter one
//   key at a time (slowly, then fast) and deleting it again, ten rescans with the memory they leave
//   (resident set after the first and after the tenth), then the clean of every item;
// - files: the uninstaller's files pane, when the search for an application's files lands with 1,000
//   finds (half of them folders of a few files, half files), until every row shows its size.
//
//   bench_gui_responsiveness [--files N] [--folders N] [--items N] [--finds N]
//                            [--run dashboard|category|files|all] [--scratch DIR]
//
// With ZN_STALLS set in the environment it also lists each stall over 16 ms and each widget paint over 8 ms.
//
// The homes are built under the build directory (next to this program) unless --scratch names another
// place, and they are removed before the program ends.

#include "Platform/core/HomeTrash.h"
#include "Platform/qt/FileViewer.h"
#include "Platform/qt/QtClock.h"
#include "Platform/qt/QuestionPrompter.h"
#include "Platform/qt/UrlOpener.h"
#include "Services/FullDiskAccessManager.h"
#include "Services/PermissionCoordinator.h"
#include "ViewModels/AppState.h"
#include "Views/Apps/AppFilesView.h"
#include "Views/Apps/AppListView.h"
#include "Views/CategoryDetail/CategoryDetailView.h"
#include "Views/CategoryDetail/CategoryHeroCard.h"
#include "Views/CategoryDetail/CategorySelectionBar.h"
#include "Views/CategoryDetail/FileListModel.h"
#include "Views/CategoryDetail/NotScannedStateView.h"
#include "Views/Dashboard/CompletedHero.h"
#include "Views/Dashboard/CompletedLayout.h"
#include "Views/Dashboard/DashboardView.h"
#include "Views/Dashboard/IdleHero.h"
#include "Views/Dashboard/IdleLayout.h"
#include "Views/Kit/Controls/ActionButton.h"
#include "Views/Kit/Controls/SearchField.h"
#include "Views/Kit/Feedback/AlertDialog.h"
#include "Views/Kit/Feedback/AlertPrompter.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Lists/CheckableFileRow.h"
#include "Views/Kit/Lists/FileChecklist.h"
#include "Views/Kit/Motion/Motion.h"
#include "Views/Kit/Theme/AppTheme.h"
#include "Views/Kit/Theme/ThemeManager.h"
#include "Views/MainWindow/MainWindow.h"
#include "support/GuiProbe.h"
#include "support/SyntheticHome.h"

#include <QKeyEvent>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace zn;
using namespace zn::bench;
namespace fs = std::filesystem;

struct Settings {
    long files = 200'000;
    long folders = 20'000;
    long items = 100'000;
    long finds = 1'000;
    std::string run = "all";
    std::string scratch;
};

Settings parse(int argc, char** argv) {
    Settings settings;
    settings.scratch = fs::path(fs::read_symlink("/proc/self/exe")).parent_path().string() + "/bench-scratch";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        const std::string value = argv[i + 1];
        if (flag == "--files")
            settings.files = std::stol(value);
        else if (flag == "--folders")
            settings.folders = std::stol(value);
        else if (flag == "--items")
            settings.items = std::stol(value);
        else if (flag == "--finds")
            settings.finds = std::stol(value);
        else if (flag == "--run" &&
                 (value == "dashboard" || value == "category" || value == "files" || value == "all"))
            settings.run = value;
        else if (flag == "--scratch")
            settings.scratch = value;
        else {
            std::fprintf(stderr, "usage: bench_gui_responsiveness [--files N] [--folders N] [--items N] "
                                 "[--finds N] [--run dashboard|category|files|all] [--scratch DIR]\n");
            std::exit(2);
        }
    }
    return settings;
}

std::string homeFolder(const Settings& settings, const char* run) {
    return settings.scratch + "/" + run + "-home-" + std::to_string(::getpid());
}

void runDashboard(const Settings& settings) {
    const std::string root = homeFolder(settings, "dashboard");
    SyntheticHome home(root, std::max(1L, settings.files / std::max(1L, settings.folders)));
    build(home, settings.files, settings.folders);
    std::printf("dashboard: synthetic home of %ld files in %ld folders under %s\n", home.files(), home.folders(),
                root.c_str());

    AppState state(false, benchStateServices(root));
    state.loadDiskInfo();
    DashboardView dashboard(state);
    dashboard.resize(1000, 760);
    dashboard.show();
    const auto kind = [&] { return state.scanState().kind(); };

    Probe probe;
    std::printf("phases (motion on):\n");
    probe.start();
    dashboard.idleLayout().hero().scanButton().click();
    runUntil([&] { return kind() == ScanState::Kind::completed; });
    probe.stop();
    report("smart scan", probe);
    std::printf("  found %lld bytes in %zu categories, %zu items selected\n",
                static_cast<long long>(state.totalJunkSize()), state.shownResults().size(),
                state.selectedItemsToClean().size());

    QCoreApplication::processEvents();
    probe.start();
    dashboard.completedLayout().hero().cleanButton().click();
    if (AlertDialog* dialog = dashboard.reviewDialog())
        dialog->buttons().front()->click();
    runUntil([&] { return kind() == ScanState::Kind::cleaned; });
    probe.stop();
    report("clean", probe);
    std::printf("  freed %lld bytes\n", static_cast<long long>(state.totalFreedSpace()));

    probe.start();
    runUntil([&] { return kind() == ScanState::Kind::idle && dashboard.confetti().burstCount() == 0; });
    probe.stop();
    report("cleaned, confetti, idle", probe);
}

// Names of the kinds a Trash holds, so that a filter narrows step by step.
constexpr std::array<const char*, 8> kTrashNames{"Screenshot 2024-03-%ld at 10.%02ld.png",
                                                 "Screen Recording %ld.%02ld.mov",
                                                 "invoice-%ld-%02ld.pdf",
                                                 "scan_%ld_%02ld.jpg",
                                                 "report draft %ld (%02ld).docx",
                                                 "IMG_%ld%02ld.HEIC",
                                                 "notes-%ld-%02ld.txt",
                                                 "backup %ld.%02ld.zip"};

// The desktop's home Trash, every file above the 1 KB a listing needs to show an entry.
void buildTrash(SyntheticHome& home, long items) {
    const std::string trash = HomeTrash(home.root(), std::nullopt).filesFolder();
    fs::create_directories(trash);
    std::array<char, 128> name{};
    for (long index = 0; index < items; ++index) {
        std::snprintf(name.data(), name.size(), kTrashNames[static_cast<std::size_t>(index) % kTrashNames.size()],
                      index, index % 60);
        home.file(trash + "/" + name.data(), 1024);
    }
}

class NoFileViewer final : public FileViewer {
public:
    void reveal(const std::string&) override {}
};

class NoUrlOpener final : public UrlOpener {
public:
    bool open(const QUrl&) override { return true; }
};

// Posts one key press and release every `interval` ms, as a keyboard would, then waits until the list
// has settled (half a second without a key).
void typeKeys(QWidget& field, const std::vector<std::pair<int, QString>>& keys, int interval) {
    for (const auto& [key, text] : keys) {
        QCoreApplication::postEvent(&field, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
        QCoreApplication::postEvent(&field, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
        runFor(interval);
    }
    runFor(500);
}

std::vector<std::pair<int, QString>> lettersOf(const QString& word) {
    std::vector<std::pair<int, QString>> keys;
    for (const QChar letter : word)
        keys.emplace_back(Qt::Key_A + (letter.toUpper().unicode() - 'A'), QString(letter));
    return keys;
}

// How long the memory is left to settle before the resident set is read: what a rescan replaced is freed
// in the background.
constexpr int kSettle = 1000;

void runCategory(const Settings& settings) {
    const std::string root = homeFolder(settings, "category");
    SyntheticHome home(root, 1);
    buildTrash(home, settings.items);
    std::printf("category: a Trash of %ld items under %s\n", home.files(), root.c_str());

    AppState state(false, benchStateServices(root));
    auto clock = std::make_shared<QtClock>();
    PermissionCoordinator permission(std::make_shared<FullDiskAccessManager>(), std::make_shared<NoUrlOpener>(),
                                     clock);
    UserDefaults defaults(QString::fromStdString(root + "/window.ini"));
    ThemeManager theme(defaults);
    NoFileViewer viewer;
    AlertPrompter prompter;
    NoUrlOpener opener;
    MainWindow window({state, permission, theme, viewer, prompter, opener});
    window.resize(1280, 800);
    window.show();
    window.setSelectedSection(AppSection::cleaning(CleaningCategory::trashBins));
    // The dashboard the window opened with goes now, as the application's event loop would delete it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto& screen = *qobject_cast<CategoryDetailView*>(window.detailScreen());
    const auto kind = [&] { return state.scanState().kind(); };
    const auto trashItems = [&] {
        const auto& results = state.categoryResults();
        const auto found = results.find(CleaningCategory::trashBins);
        return found == results.end() ? std::size_t{0} : found->second.items.size();
    };
    runFor(200);

    Probe probe;
    std::printf("phases (motion on):\n");
    probe.start();
    screen.notScannedState().scanButton().click();
    runUntil([&] { return kind() == ScanState::Kind::completed; });
    runFor(200);
    probe.stop();
    report("scan", probe);
    runFor(kSettle);
    const double firstScan = residentMegabytes();
    std::printf("  %zu items listed, %d rows shown; resident %.0f MB\n", trashItems(),
                screen.fileModel().rowCount(), firstScan);

    const auto typingPhase = [&](const char* name, const std::vector<std::pair<int, QString>>& keys,
                                 int interval) {
        probe.start();
        typeKeys(screen.searchField(), keys, interval);
        probe.stop();
        report(name, probe);
        std::printf("  \"%s\": %d rows shown\n", qPrintable(screen.searchField().text()),
                    screen.fileModel().rowCount());
    };
    const QString filter = QStringLiteral("screenshot");
    typingPhase("typing, a key per 150 ms", lettersOf(filter), 150);
    typingPhase("deleting, a key per 150 ms",
                std::vector<std::pair<int, QString>>(static_cast<std::size_t>(filter.size()),
                                                     {Qt::Key_Backspace, {}}),
                150);
    typingPhase("typing fast, a key per 30 ms", lettersOf(filter), 30);
    screen.searchField().clear();
    runFor(200);

    probe.start();
    for (int rescan = 2; rescan <= 11; ++rescan) {
        screen.heroCard().rescanButton().click();
        runUntil([&] { return kind() == ScanState::Kind::completed; });
        runFor(100);
    }
    probe.stop();
    report("ten rescans", probe);
    runFor(kSettle);
    const double tenthRescan = residentMegabytes();
    std::printf("  resident after the first scan %.0f MB, after ten rescans %.0f MB (%.2fx), peak %.0f MB\n",
                firstScan, tenthRescan, tenthRescan / firstScan, residentMegabytes("VmHWM:"));

    probe.start();
    screen.selectionBar().cleanButton().click();
    if (AlertDialog* dialog = screen.reviewDialog())
        dialog->buttons().front()->click();
    runUntil([&] { return kind() == ScanState::Kind::cleaned; });
    runFor(200);
    probe.stop();
    report("clean", probe);
    std::printf("  freed %lld bytes; %zu items left\n", static_cast<long long>(state.totalFreedSpace()),
                trashItems());
}

class NoPrompter final : public QuestionPrompter {
public:
    void open(const PromptQuestion&, std::function<void(bool)> answered) override { answered(false); }
};

void runFilesPane(const Settings& settings) {
    const std::string root = homeFolder(settings, "files");
    SyntheticHome home(root, 3);
    const std::string support = root + "/Library/Application Support";
    fs::create_directories(support);
    std::vector<std::string> finds;
    for (long index = 0; index < settings.finds; ++index) {
        const std::string path = support + "/com.example.figma." + std::to_string(index);
        if (index % 2 == 0)
            home.folderWithFiles(path);
        else
            home.file(path);
        finds.push_back(path);
    }
    std::printf("files: %ld finds under %s\n", settings.finds, support.c_str());

    AppState state(false, benchStateServices(root));
    NoFileViewer viewer;
    NoPrompter prompter;
    AppListView screen(state, viewer, prompter);
    screen.resize(1040, 640);
    screen.show();
    const InstalledApp app{Uuid::random(), "Figma", "com.example.figma", root + "/Applications/Figma.app", 1};
    state.setInstalledApps({app});
    state.setSelectedApp(app);
    runFor(200);
    const auto allSized = [&] {
        const auto& rows = screen.filesView().fileList().rows();
        return rows.size() == finds.size() &&
               std::all_of(rows.begin(), rows.end(),
                           [](CheckableFileRow* row) { return row->size().has_value(); });
    };

    Probe probe;
    std::printf("phases (motion on):\n");
    probe.start();
    // As the search's answer lands: every find listed and selected.
    state.setDiscoveredFiles(finds);
    state.setSelectedFiles({finds.begin(), finds.end()});
    runUntil(allSized);
    runFor(200);
    probe.stop();
    report("finds land and are sized", probe);
    std::printf("  %zu rows; %s\n", screen.filesView().fileList().rows().size(),
                qPrintable(screen.filesView().selectedSizeLabel().text()));
}

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TimedApplication application(argc, argv);
    AppTheme::installStyle();
    QApplication::setPalette(AppTheme::palette(ColorScheme::light));
    Motion::setEnabled(true);
    try {
        const Settings settings = parse(argc, argv);
        if (settings.run == "all" || settings.run == "dashboard")
            runDashboard(settings);
        if (settings.run == "all" || settings.run == "category")
            runCategory(settings);
        if (settings.run == "all" || settings.run == "files")
            runFilesPane(settings);
        std::printf("goal: no stall over 25 ms\n");
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_gui_responsiveness: %s\n", error.what());
        return 1;
    }
}
