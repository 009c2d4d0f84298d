#include "Views/Apps/InstalledAppsModel.h"

#include "Platform/core/ByteCountFormatter.h"
#include "Platform/qt/FileIcons.h"
#include "Views/Apps/InstalledAppIcon.h"
#include "Views/Kit/Theme/DisplayText.h"

namespace zn {

InstalledAppsModel::InstalledAppsModel(QObject* parent) : QAbstractTableModel(parent) {
    // Icons are read off the main thread: each row shows the generic one until its own has been read.
    connect(&FileIcons::shared(), &FileIcons::iconLoaded, this, [this](const QString& path) {
        const std::string bundle = path.toStdString();
        for (std::size_t row = 0; row < apps_.size(); ++row)
            if (apps_[row].path == bundle) {
                const QModelIndex cell = index(static_cast<int>(row), applicationColumn);
                emit dataChanged(cell, cell, {Qt::DecorationRole});
            }
    });
}

void InstalledAppsModel::setApps(std::vector<InstalledApp> apps) {
    beginResetModel();
    apps_ = std::move(apps);
    endResetModel();
}

int InstalledAppsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(apps_.size());
}

int InstalledAppsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant InstalledAppsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const InstalledApp& app = this->app(index.row());
    if (index.column() == applicationColumn) {
        if (role == Qt::DisplayRole)
            return shownText(app.appName);
        if (role == Qt::DecorationRole)
            return installedAppIcon(app.path);
        if (role == Qt::ToolTipRole)
            return shownText(app.bundleIdentifier);
        return {};
    }
    if (role == Qt::DisplayRole)
        return QString::fromStdString(formatByteCount(app.size));
    if (role == kBytesRole)
        return QVariant::fromValue<qint64>(app.size);
    return {};
}

QVariant InstalledAppsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == applicationColumn ? QStringLiteral("Application") : QStringLiteral("Size");
}

} // namespace zn
