#include "Platform/qt/UrlOpener.h"

#include <QDesktopServices>

namespace zn {

bool DesktopUrlOpener::open(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

std::shared_ptr<UrlOpener> desktopUrlOpener() {
    static const auto shared = std::make_shared<DesktopUrlOpener>();
    return shared;
}

} // namespace zn
