#pragma once

#include <QUrl>
#include <memory>

namespace zn {

// Hands a URL to the desktop: a web page to the default browser, a folder to the file manager.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // False when the desktop could not take the URL.
    virtual bool open(const QUrl& url) = 0;
};

// The desktop's handlers, through QDesktopServices.
class DesktopUrlOpener : public UrlOpener {
public:
    bool open(const QUrl& url) override;
};

std::shared_ptr<UrlOpener> desktopUrlOpener();

} // namespace zn
