#pragma once

#include <QWidget>

namespace zn {

class LinkButton;
class UrlOpener;

// The About tab: the program's icon, name and version, links to the maker's pages and a line of small print.
class AboutSettingsView : public QWidget {
    Q_OBJECT

public:
    explicit AboutSettingsView(UrlOpener& urlOpener, QWidget* parent = nullptr);

    // "Version %@" with the bundle's short version, or "1.0" when it has none.
    static QString versionText();

    LinkButton& websiteLink() const { return *website_; }
    LinkButton& contactLink() const { return *contact_; }

private:
    LinkButton* website_;
    LinkButton* contact_;
};

} // namespace zn
