#pragma once

#include <QScrollArea>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QVBoxLayout;

namespace zn {

class CheckableFileRow;

// A scrolling list of file rows on the control background. Rows are made once per path and kept while the
// path stays listed, so a row's own click never rebuilds the list under it.
class FileChecklist : public QScrollArea {
    Q_OBJECT

public:
    // `setUpRow` runs once for each new row: connections, accessories.
    explicit FileChecklist(std::function<void(CheckableFileRow&)> setUpRow, QWidget* parent = nullptr);

    // One row per path, in this order; rows of paths no longer listed are dropped later, not at once.
    void setPaths(const std::vector<std::string>& paths);
    const std::vector<CheckableFileRow*>& rows() const { return rows_; }
    CheckableFileRow* row(const std::string& path) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void(CheckableFileRow&)> setUpRow_;
    QVBoxLayout* column_;
    std::vector<CheckableFileRow*> rows_;
    std::map<std::string, CheckableFileRow*> byPath_;
};

} // namespace zn
