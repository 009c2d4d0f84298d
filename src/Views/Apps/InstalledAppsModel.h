#pragma once

#include "Logic/Scanning/AppInfoFetcher.h"

#include <QAbstractTableModel>

#include <vector>

namespace zn {

// The installed applications as a table: "Application" (icon and name) and "Size".
class InstalledAppsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { applicationColumn = 0, sizeColumn = 1 };
    // The size in bytes (a 64-bit number) for the size column, so sorting follows the bytes, not the text.
    static constexpr int kBytesRole = Qt::UserRole + 1;

    explicit InstalledAppsModel(QObject* parent = nullptr);

    void setApps(std::vector<InstalledApp> apps);
    const std::vector<InstalledApp>& apps() const { return apps_; }
    const InstalledApp& app(int row) const { return apps_.at(static_cast<std::size_t>(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<InstalledApp> apps_;
};

} // namespace zn
