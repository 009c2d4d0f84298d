#include "Views/Kit/Lists/FileChecklist.h"

#include "Platform/qt/FileIcons.h"
#include "Views/Kit/Lists/CheckableFileRow.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include <set>

namespace zn {

namespace {

// How many rows are made at most in one turn: about as many as fill the pane, made in a few milliseconds.
constexpr std::size_t kRowsPerTurn = 40;

} // namespace

FileChecklist::FileChecklist(std::function<void(CheckableFileRow&)> setUpRow, QWidget* parent)
    : QScrollArea(parent), setUpRow_(std::move(setUpRow)) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget;
    column_ = new QVBoxLayout(content);
    column_->setContentsMargins(6, 6, 6, 6);
    column_->setSpacing(0);
    column_->addStretch(1);
    setWidget(content);
    // The list's own background shows through; the scroll area would fill the content with the window's.
    content->setAutoFillBackground(false);
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
        column_->removeWidget(entry->second);
        entry->second->hide();
        entry->second->deleteLater();
        entry = byPath_.erase(entry);
    }
    placeRows();
}

void FileChecklist::placeRows() {
    std::size_t made = 0;
    bool unmade = false;
    std::vector<CheckableFileRow*> ordered;
    for (const std::string& path : paths_) {
        CheckableFileRow* row = this->row(path);
        if (!row && made == kRowsPerTurn) {
            unmade = true;
            continue;
        }
        if (!row) {
            row = new CheckableFileRow(path, widget());
            setUpRow_(*row);
            byPath_[path] = row;
            ++made;
        }
        ordered.push_back(row);
    }
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        const int place = static_cast<int>(i);
        if (column_->itemAt(place)->widget() == ordered[i])
            continue;
        column_->removeWidget(ordered[i]);
        column_->insertWidget(place, ordered[i]);
        ordered[i]->show();
    }
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
