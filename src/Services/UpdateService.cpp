#include "Services/UpdateService.h"

#include "Logic/Utilities/Logger.h"
#include "Platform/core/Bundle.h"

#include <QCoreApplication>

namespace zn {

UpdateService& UpdateService::shared() {
    static UpdateService instance;
    return instance;
}

UpdateService::UpdateService(std::shared_ptr<UrlOpener> opener, QUrl downloadPage, InfoTextLookup infoText)
    : opener_(std::move(opener)), downloadPage_(std::move(downloadPage)), infoText_(std::move(infoText)) {}

UpdateService::InfoTextLookup UpdateService::defaultInfoTextLookup() {
    return [](const std::string& key) { return Bundle::stringForInfoKey(key); };
}

void UpdateService::checkForUpdates() {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [this] { openDownloadPage(); }, Qt::QueuedConnection);
}

void UpdateService::openDownloadPage() {
    if (auto feed = infoText_("SUFeedURL"))
        Logger::shared().log("No update framework for the feed " + *feed + "; opening the download page",
                             LogLevel::debug, "checkForUpdates()");
    if (!opener_->open(downloadPage_))
        Logger::shared().log("Could not open " + downloadPage_.toString().toStdString(), LogLevel::warning,
                             "checkForUpdates()");
}

} // namespace zn
