#include "Views/Kit/Lists/FileChecklist.h"

#include "Platform/qt/FileIcons.h"
#include "Views/Kit/Lists/CheckableFileRow.h"
#include "Views/Kit/Lists/RowColumn.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>

#include <set>

namespace zn {

namespace {

// How long one turn may spend making rows: the rest are made in later turns, so the window keeps its frames.
constexpr qint64 kMakingPerTurnMs = 6;

} // namespace

FileChecklist::FileChecklist(std::function<void(CheckableFileRow&)> setUpRow, QWidget* parent)
    : QScrollArea(parent), setUpRow_(std::move(setUpRow)) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column_ = new RowColumn(CheckableFileRow::fixedHeight, 6);
    setWidget(column_);
    // The list's own background shows through; the scroll area would fill the content with the window's.
    column_->setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    // A row's icon is read off the main thread: the row shows it once it is there.
    connect(&FileIcons::shared(), &FileIcons::iconLoaded, this, [this](const QString& path) {
        if (CheckableFileRow* shown = row(path.toStdString()))
            shown->update();
    });
}

CheckableFileRow* FileChecklist::row(const std::string& path) const {
    auto found = byPath_.find(path);
    return found == byPath_.end() ? nullptr : found->second;
}

void FileChecklist::setPaths(const std::vector<std::string>& paths) {
    std::set<std::string> listed;
    paths_.clear();
    for (const std::string& path : paths)
        if (listed.insert(path).second)
            paths_.push_back(path);
    for (auto entry = byPath_.begin(); entry != byPath_.end();) {
        if (listed.contains(entry->first)) {
            ++entry;
            continue;
        }
        entry->second->hide();
        entry->second->deleteLater();
        entry = byPath_.erase(entry);
    }
    placeRows();
}

void FileChecklist::placeRows() {
    QElapsedTimer making;
    making.start();
    bool unmade = false;
    std::vector<CheckableFileRow*> ordered;
    for (const std::string& path : paths_) {
        CheckableFileRow* row = this->row(path);
        if (!row && making.elapsed() >= kMakingPerTurnMs) {
            unmade = true;
            continue;
        }
        if (!row) {
            row = new CheckableFileRow(path, column_);
            setUpRow_(*row);
            byPath_[path] = row;
        }
        ordered.push_back(row);
    }
    column_->setRows({ordered.begin(), ordered.end()});
    rows_ = std::move(ordered);
    if (unmade && !placing_) {
        placing_ = true;
        QTimer::singleShot(0, this, [this] {
            placing_ = false;
            placeRows();
        });
    }
}

void FileChecklist::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), platformColor(*this, PlatformColor::controlBackground));
}

} // namespace zn
