#pragma once

#include <QSortFilterProxyModel>

#include <string>

namespace zn {

class InstalledAppsModel;

// The table's rows: the applications whose name or bundle identifier contains the search text, ignoring
// letter case; an empty text (no characters at all) keeps all, a blank is a text like any other. Names
// sort by plain, case-sensitive text order (every upper-case initial before the lower-case ones), sizes by
// their bytes.
class InstalledAppsFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit InstalledAppsFilter(InstalledAppsModel& source, QObject* parent = nullptr);

    void setSearchText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    InstalledAppsModel& apps_;
    std::string query_; // lower-cased; empty keeps every row
};

} // namespace zn
