#pragma once

#include "Platform/qt/UrlOpener.h"

#include <QString>
#include <memory>
#include <string>

namespace zn {

// Shows a file selected in the desktop's file manager.
class FileViewer {
public:
    virtual ~FileViewer() = default;
    // Returns at once; the file manager answers later.
    virtual void reveal(const std::string& path) = 0;
};

// Asks the file manager over the session bus (org.freedesktop.FileManager1.ShowItems); when no file
// manager answers, opens the folder that holds the file instead.
class DesktopFileViewer : public FileViewer {
public:
    explicit DesktopFileViewer(std::shared_ptr<UrlOpener> opener = desktopUrlOpener(),
                               QString service = QStringLiteral("org.freedesktop.FileManager1"));

    void reveal(const std::string& path) override;

private:
    std::shared_ptr<UrlOpener> opener_;
    QString service_;
};

} // namespace zn
