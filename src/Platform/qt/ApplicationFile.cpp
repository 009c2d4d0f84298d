#include "Platform/qt/ApplicationFile.h"

#include "Platform/core/Bundle.h"
#include "Platform/core/PathText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>

namespace zn {

namespace {

bool isRegularFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

ApplicationFileSearch ApplicationFileSearch::thisProgram() {
    ApplicationFileSearch search;
    search.executablePath = QCoreApplication::applicationFilePath().toStdString();
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation))
        search.applicationFolders.push_back(folder.toStdString());
    // Launchers are named after the reverse-domain identifier, or after the executable.
    search.launcherNames = {Bundle::bundleIdentifierOrDefault() + ".desktop",
                            QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString() +
                                ".desktop"};
    return search;
}

std::string applicationFile(const ApplicationFileSearch& search) {
    for (const std::string& folder : search.applicationFolders)
        for (const std::string& name : search.launcherNames) {
            const std::string candidate = PathText::appendingPathComponent(folder, name);
            if (isRegularFile(candidate))
                return candidate;
        }
    return search.executablePath;
}

} // namespace zn
