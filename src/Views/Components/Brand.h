#pragma once

#include <QUrl>

namespace zn::Brand {

// The product's name as the windows show it.
inline constexpr const char* name = "Zelva Nexal";

inline QUrl websiteURL() {
    return QUrl(QStringLiteral("https://zelvanexal.app"));
}
inline QUrl downloadURL() {
    return QUrl(QStringLiteral(ZN_DOWNLOAD_PAGE_URL));
}
inline QUrl contactURL() {
    return QUrl(QStringLiteral("https://zelvanexal.app/contact"));
}

} // namespace zn::Brand
