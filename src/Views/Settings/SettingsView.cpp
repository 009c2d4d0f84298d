#include "Views/Settings/SettingsView.h"

#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Settings/AboutSettingsView.h"
#include "Views/Settings/CleaningSettingsView.h"
#include "Views/Settings/GeneralSettingsView.h"
#include "Views/Settings/ScheduleSettingsView.h"
#include "Views/Settings/SettingsTabBar.h"

#include <QLayout>
#include <QPainter>
#include <QScrollArea>

namespace zn {

namespace {
constexpr int kPageMargin = 20;
} // namespace

SettingsView::SettingsView(SchedulerService& scheduler, UserDefaults& defaults, const LoginItem& loginItem,
                           UrlOpener& urlOpener, const Clock& clock, QWidget* parent)
    : QTabWidget(parent), tabBar_(new SettingsTabBar), general_(new GeneralSettingsView(defaults, loginItem)),
      cleaning_(new CleaningSettingsView(defaults)), schedule_(new ScheduleSettingsView(scheduler, clock)),
      about_(new AboutSettingsView(urlOpener)) {
    setTabBar(tabBar_);
    setDocumentMode(true);
    setAutoFillBackground(false);
    addPage(general_, QStringLiteral("General"), "gear");
    // An empty symbol is the product mark.
    addPage(cleaning_, QStringLiteral("Cleaning"), "");
    addPage(schedule_, QStringLiteral("Schedule"), "clock");
    addPage(about_, QStringLiteral("About"), "info.circle");
    setFixedSize(kSize);
}

void SettingsView::addPage(QWidget* page, const QString& label, const std::string& symbol) {
    page->layout()->setContentsMargins(kPageMargin, 16, kPageMargin, kPageMargin);
    // A tab taller than the window scrolls rather than squeezing its rows.
    auto* scroll = new QScrollArea;
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    page->setAutoFillBackground(false);
    tabBar_->setTabSymbol(addTab(scroll, label), symbol);
}

void SettingsView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const ColorScheme scheme = colorScheme(*this);
    painter.fillRect(rect(), platformColor(PlatformColor::windowBackground, scheme));
    // A hairline under the tabs across the whole window.
    const int y = tabBar_->geometry().bottom() + 1;
    painter.fillRect(QRect(0, y, width(), 1), platformColor(PlatformColor::separator, scheme));
}

} // namespace zn
