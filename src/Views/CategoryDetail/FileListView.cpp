#include "Views/CategoryDetail/FileListView.h"

#include "Platform/qt/FileViewer.h"
#include "Views/CategoryDetail/FileListModel.h"
#include "Views/CategoryDetail/FileRowDelegate.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace zn {

FileListView::FileListView(FileListModel& model, FileViewer& fileViewer, QWidget* parent)
    : QListView(parent), model_(model), fileViewer_(fileViewer) {
    setModel(&model);
    setItemDelegate(new FileRowDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(false);
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
}

void FileListView::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton ? QPersistentModelIndex(indexAt(event->position().toPoint()))
                                                 : QPersistentModelIndex();
    if (pressed_.isValid())
        setCurrentIndex(pressed_);
    event->accept();
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click: it toggles on its release like any other press.
    mousePressEvent(event);
}

void FileListView::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

void FileListView::mouseReleaseEvent(QMouseEvent* event) {
    const QPersistentModelIndex pressed = std::exchange(pressed_, QPersistentModelIndex());
    event->accept();
    if (event->button() != Qt::LeftButton || !pressed.isValid())
        return;
    if (indexAt(event->position().toPoint()) == QModelIndex(pressed))
        model_.toggle(pressed.row());
}

void FileListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && currentIndex().isValid()) {
        model_.toggle(currentIndex().row());
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

QMenu* FileListView::contextMenuForRow(int row) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The path is taken now: by the time the menu is used the rows may have been rebuilt.
    const std::string path = model_.itemAt(row).path;
    menu->addAction(QString::fromLatin1(kRevealText), this, [this, path] { fileViewer_.reveal(path); });
    return menu;
}

void FileListView::contextMenuEvent(QContextMenuEvent* event) {
    const QModelIndex index = indexAt(event->pos());
    if (!index.isValid())
        return;
    contextMenuForRow(index.row())->popup(event->globalPos());
    event->accept();
}

} // namespace zn
