#include "Views/Apps/InstalledAppsFilter.h"

#include "Logic/Scanning/StringNormalization.h"
#include "Views/Apps/InstalledAppsModel.h"

namespace zn {

InstalledAppsFilter::InstalledAppsFilter(InstalledAppsModel& source, QObject* parent)
    : QSortFilterProxyModel(parent), apps_(source) {
    setSourceModel(&source);
}

void InstalledAppsFilter::setSearchText(const QString& text) {
    const std::string query = lowercased(text.toStdString());
    if (query == query_)
        return;
    query_ = query;
    invalidateFilter();
}

bool InstalledAppsFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    if (query_.empty())
        return true;
    const InstalledApp& app = apps_.app(sourceRow);
    return lowercased(app.appName).find(query_) != std::string::npos ||
           lowercased(app.bundleIdentifier).find(query_) != std::string::npos;
}

bool InstalledAppsFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const InstalledApp& a = apps_.app(left.row());
    const InstalledApp& b = apps_.app(right.row());
    if (left.column() == InstalledAppsModel::sizeColumn)
        return a.size < b.size;
    // UTF-8 bytes compare in the order of the characters' code points.
    return a.appName < b.appName;
}

} // namespace zn
