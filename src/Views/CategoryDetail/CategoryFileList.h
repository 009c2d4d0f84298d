#pragma once

#include <QWidget>

namespace zn {

class FileListModel;
class FileListView;
class FileViewer;
class TextLabel;

// The list part of the category screen: one section whose header counts the selection over the whole
// result, above the file rows, on a rounded panel.
class CategoryFileList : public QWidget {
    Q_OBJECT

public:
    CategoryFileList(FileListModel& model, FileViewer& fileViewer, QWidget* parent = nullptr);

    void setHeader(const QString& text);
    const TextLabel& header() const { return *header_; }
    FileListView& view() const { return *view_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TextLabel* header_;
    FileListView* view_;
};

} // namespace zn
