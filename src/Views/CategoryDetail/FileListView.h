#pragma once

#include <QListView>
#include <QPersistentModelIndex>

namespace zn {

class FileListModel;
class FileViewer;

// The file rows of a category. Each click on a row (its box or its label) ticks or clears that one item;
// a double click is two clicks. Space does the same for the current row. The context menu reveals the
// file in the file manager.
class FileListView : public QListView {
    Q_OBJECT

public:
    static constexpr const char* kRevealText = "Reveal in Finder";

    FileListView(FileListModel& model, FileViewer& fileViewer, QWidget* parent = nullptr);

    // The context menu of a row, built as a right click would build it (for tests).
    QMenu* contextMenuForRow(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    FileListModel& model_;
    FileViewer& fileViewer_;
    QPersistentModelIndex pressed_;
};

} // namespace zn
