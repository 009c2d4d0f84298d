#pragma once

#include <QScrollArea>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zn {

class CheckableFileRow;
class RowColumn;

// A scrolling list of file rows on the control background. Rows are made once per path and kept while the
// path stays listed, so a row's own click never rebuilds the list under it. A long list is made a few
// milliseconds' worth of rows per turn of the event loop, so that a thousand paths never hold the window up.
class FileChecklist : public QScrollArea {
    Q_OBJECT

public:
    // `setUpRow` runs once for each new row: connections, accessories.
    explicit FileChecklist(std::function<void(CheckableFileRow&)> setUpRow, QWidget* parent = nullptr);

    // One row per path, in this order; rows of paths no longer listed are dropped later, not at once.
    void setPaths(const std::vector<std::string>& paths);
    // The rows made so far, in their order; `setUpRow` has run for each.
    const std::vector<CheckableFileRow*>& rows() const { return rows_; }
    CheckableFileRow* row(const std::string& path) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Makes the next rows still missing and puts every row made in its place; the rest in a later turn.
    void placeRows();

    std::function<void(CheckableFileRow&)> setUpRow_;
    std::vector<std::string> paths_;
    bool placing_ = false;
    RowColumn* column_;
    std::vector<CheckableFileRow*> rows_;
    std::map<std::string, CheckableFileRow*> byPath_;
};

} // namespace zn
