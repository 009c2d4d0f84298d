#include "Services/FullDiskAccessManager.h"

#include "Logic/Utilities/Logger.h"
#include "Platform/core/Bundle.h"
#include "Platform/core/PathText.h"
#include "Platform/core/Process.h"

#include <QCoreApplication>
#include <QtConcurrent/QtConcurrentRun>
#include <fcntl.h>
#include <unistd.h>

namespace zn {

namespace {

constexpr const char* kPrivacyDatabase = "/Library/Application Support/com.apple.TCC/TCC.db";
constexpr const char* kSettingsPane =
    "x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles";

// A folder counts when it can be listed, anything else when one byte can be read from it (an empty file
// included). Never blocks: a pipe or device at the path is opened without waiting for a writer.
bool canActuallyRead(const FileSystem& fileSystem, const std::string& path) {
    FileExistence existence = fileSystem.fileExists(path);
    if (!existence.exists)
        return false;
    if (existence.isDirectory)
        return fileSystem.contentsOfDirectory(path).listed;
    if (!fileSystem.isReadable(path))
        return false;
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return false;
    char byte = 0;
    ssize_t count = ::read(descriptor, &byte, 1);
    ::close(descriptor);
    return count >= 0;
}

} // namespace

FullDiskAccessLocations FullDiskAccessLocations::forHome(const std::string& home) {
    return {
        {kPrivacyDatabase, PathText::appendingPathComponent(home, "Library/Safari/CloudTabs.db"),
         PathText::appendingPathComponent(home, "Library/Mail")},
        {kPrivacyDatabase, home + "/Library/Mail", home + "/Library/Safari/CloudTabs.db",
         home + "/Library/Safari/Bookmarks.plist", home + "/Library/Cookies", home + "/Library/HTTPStorages",
         home + "/Library/Application Support/com.apple.TCC"},
    };
}

const std::shared_ptr<FullDiskAccessManager>& FullDiskAccessManager::sharedInstance() {
    static const auto instance = std::make_shared<FullDiskAccessManager>();
    return instance;
}

FullDiskAccessManager::FullDiskAccessManager(FullDiskAccessOptions options) : options_(std::move(options)) {}

bool FullDiskAccessManager::hasFullDiskAccess() const {
    if (options_.protection == PrivacyProtection::none)
        return true;
    for (const auto& path : options_.locations.probePaths)
        if (canActuallyRead(*options_.fileSystem, path))
            return true;
    return false;
}

QFuture<void> FullDiskAccessManager::triggerRegistration() const {
    return QtConcurrent::run(
        [fileSystem = options_.fileSystem, paths = options_.locations.registrationPaths] {
            for (const auto& path : paths)
                canActuallyRead(*fileSystem, path);
        });
}

void FullDiskAccessManager::revealAppInFinder() const {
    std::string path = options_.applicationPath.empty()
                           ? QCoreApplication::applicationFilePath().toStdString()
                           : options_.applicationPath;
    options_.fileViewer->reveal(path);
}

void FullDiskAccessManager::openSettingsPane(UrlOpener& opener, const std::string& source) const {
    if (!opener.open(QUrl(QString::fromLatin1(kSettingsPane))))
        Logger::shared().log(std::string("Could not open ") + kSettingsPane, LogLevel::warning, source);
}

bool FullDiskAccessManager::resetFullDiskAccess() const {
    ProcessRequest request(
        options_.privacyTool,
        {"reset", "SystemPolicyAllFiles", Bundle::bundleIdentifierOrDefault()});
    request.captureStandardOutput = false;
    ProcessResult result = runProcess(request);
    if (!result.started)
        Logger::shared().log("Could not run " + options_.privacyTool + ": " +
                                 fileErrorDescription(result.startErrno),
                             LogLevel::warning, "resetFullDiskAccess()");
    return result.succeeded();
}

} // namespace zn
