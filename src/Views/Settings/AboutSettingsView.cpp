#include "Views/Settings/AboutSettingsView.h"

#include "Models/Brand.h"
#include "Platform/core/Bundle.h"
#include "Platform/core/StringFormat.h"
#include "Platform/qt/UrlOpener.h"
#include "Views/Kit/Controls/LinkButton.h"
#include "Views/Kit/Labels/SymbolView.h"
#include "Views/Kit/Labels/TextLabel.h"
#include "Views/Kit/Theme/AppIcon.h"
#include "Views/Kit/Theme/TextStyles.h"
#include "Views/Settings/FormSection.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zn {

namespace {
constexpr int kIconSide = 64;
} // namespace

AboutSettingsView::AboutSettingsView(UrlOpener& urlOpener, QWidget* parent)
    : QWidget(parent),
      website_(new LinkButton(QStringLiteral("Official website"), textFont(TextStyle::body))),
      contact_(new LinkButton(QStringLiteral("Contact"), textFont(TextStyle::body))) {
    auto* column = new QVBoxLayout(this);
    column->setSpacing(18);

    auto* header = new FormSection;
    auto* identity = new QWidget;
    auto* line = new QHBoxLayout(identity);
    line->setSpacing(14);
    const QIcon icon = applicationIcon();
    if (!icon.isNull()) {
        auto* image = new QLabel;
        image->setPixmap(icon.pixmap(kIconSide, kIconSide));
        image->setFixedSize(kIconSide, kIconSide);
        line->addWidget(image);
    }
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(
        new TextLabel(QString::fromLatin1(Brand::name), textFont(TextStyle::title2, QFont::Bold)));
    texts->addWidget(new TextLabel(versionText(), textFont(TextStyle::body), PlatformColor::secondaryLabel));
    texts->addWidget(new TextLabel(QStringLiteral("Free up space without digging through folders."),
                                   textFont(TextStyle::caption), PlatformColor::secondaryLabel));
    line->addLayout(texts);
    line->addStretch();
    header->addRow(identity);
    column->addWidget(header);

    auto* links = new FormSection;
    links->addControlRow(website_, new SymbolView("arrow.up.right.square", 12, PlatformColor::tertiaryLabel));
    links->addControlRow(contact_, new SymbolView("arrow.up.right.square", 12, PlatformColor::tertiaryLabel));
    column->addWidget(links);
    connect(website_, &LinkButton::clicked, this, [&urlOpener] { urlOpener.open(QUrl(QString::fromLatin1(Brand::websiteAddress))); });
    connect(contact_, &LinkButton::clicked, this, [&urlOpener] { urlOpener.open(QUrl(QString::fromLatin1(Brand::contactAddress))); });

    auto* smallPrint = new FormSection;
    auto* note =
        new TextLabel(QStringLiteral("Made by the Zelva Nexal team. Zelva Nexal works on this computer "
                                     "only and sends nothing about your files anywhere."),
                      textFont(TextStyle::caption), PlatformColor::secondaryLabel);
    note->setWordWrap(true);
    auto* noteRow = new QWidget;
    (new QHBoxLayout(noteRow))->addWidget(note);
    smallPrint->addRow(noteRow);
    column->addWidget(smallPrint);
    column->addStretch();
}

QString AboutSettingsView::versionText() {
    const std::string version = Bundle::stringForInfoKey("CFBundleShortVersionString").value_or("1.0");
    return QString::fromStdString(formatString("Version %@", {version}));
}

} // namespace zn
