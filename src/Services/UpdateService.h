#pragma once

#include "Models/Brand.h"
#include "Platform/qt/UrlOpener.h"

#include <QUrl>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace zn {

// "Check for Updates". There is no update framework here, so every check opens the download page in the
// default browser, also when the bundle names an update feed ("SUFeedURL").
class UpdateService {
public:
    using InfoTextLookup = std::function<std::optional<std::string>(const std::string& key)>;

    static UpdateService& shared();
    explicit UpdateService(std::shared_ptr<UrlOpener> opener = desktopUrlOpener(),
                           QUrl downloadPage = QUrl(QString::fromLatin1(Brand::downloadAddress)),
                           InfoTextLookup infoText = defaultInfoTextLookup());

    // Callable from any thread; returns at once and does the work on the main thread, so the service must
    // outlive the next turn of the main event loop.
    void checkForUpdates();

private:
    static InfoTextLookup defaultInfoTextLookup();
    void openDownloadPage();

    std::shared_ptr<UrlOpener> opener_;
    QUrl downloadPage_;
    InfoTextLookup infoText_;
};

} // namespace zn
