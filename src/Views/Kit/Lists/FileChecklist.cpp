#include "Views/Kit/Lists/FileChecklist.h"

#include "Platform/qt/FileIcons.h"
#include "Views/Kit/Lists/CheckableFileRow.h"
#include "Views/Kit/Theme/SchemeColors.h"

#include <QPainter>
#include <QVBoxLayout>

namespace zn {

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
    std::map<std::string, CheckableFileRow*> kept;
    std::vector<CheckableFileRow*> ordered;
    for (const std::string& path : paths) {
        if (kept.contains(path))
            continue;
        CheckableFileRow* row = this->row(path);
        if (!row) {
            row = new CheckableFileRow(path, widget());
            setUpRow_(*row);
        }
        kept[path] = row;
        ordered.push_back(row);
    }
    for (auto& [path, row] : byPath_)
        if (!kept.contains(path)) {
            column_->removeWidget(row);
            row->hide();
            row->deleteLater();
        }
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        column_->removeWidget(ordered[i]);
        column_->insertWidget(static_cast<int>(i), ordered[i]);
        ordered[i]->show();
    }
    rows_ = std::move(ordered);
    byPath_ = std::move(kept);
}

void FileChecklist::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), platformColor(*this, PlatformColor::controlBackground));
}

} // namespace zn
