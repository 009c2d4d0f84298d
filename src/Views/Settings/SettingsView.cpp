#include "Views/Settings/SettingsView.h"

#include "Platform/core/Bundle.h"
#include "Platform/core/StringFormat.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zn {

SettingsView::SettingsView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("Zelva Nexal"));
    QFont bold = name->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    name->setFont(bold);
    layout->addWidget(name);
    layout->addWidget(new QLabel(versionText()));
    layout->addWidget(new QLabel(QStringLiteral("Free up space without digging through folders.")));
    layout->addStretch();
    setFixedSize(480, 430);
}

QString SettingsView::versionText() {
    std::string version = Bundle::stringForInfoKey("CFBundleShortVersionString").value_or("1.0");
    return QString::fromStdString(formatString("Version %@", {version}));
}

} // namespace zn
