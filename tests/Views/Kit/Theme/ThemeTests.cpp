#include "Platform/qt/DesktopColorScheme.h"
#include "Platform/qt/UserDefaults.h"
#include "Views/Kit/Controls/AppearancePill.h"
#include "Views/Kit/Motion/Motion.h"
#include "Views/Kit/Motion/Spring.h"
#include "Views/Kit/Theme/AppTheme.h"
#include "Views/Kit/Theme/SchemeColors.h"
#include "Views/Kit/Theme/ThemeManager.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/FakeDesktopColorScheme.h"
#include "appsupport/PrivateSessionBus.h"
#include "support/FixtureTree.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QThread>
#include <gtest/gtest.h>

#include <atomic>

namespace zn {
namespace {

class ThemeTest : public ::testing::Test {
protected:
    test::FixtureTree tree;
    UserDefaults defaults{QString::fromStdString(tree.path("defaults.ini"))};
    ThemeManager manager{defaults};
    test::FakeDesktopColorScheme desktop;
    AppTheme theme{manager, desktop};

    void store(const QString& text) { defaults.setString(text, QString::fromLatin1(ThemeManager::kAppearanceKey)); }
};

TEST_F(ThemeTest, OnlyTheExactRawValuesForceAScheme) {
    EXPECT_EQ(manager.rawValue(), "system");
    EXPECT_EQ(manager.mode(), AppearanceMode::system);
    for (const QString& text : {QStringLiteral("Dark"), QStringLiteral("LIGHT"), QString(), QStringLiteral("sepia")}) {
        store(text);
        EXPECT_EQ(manager.mode(), AppearanceMode::system) << text.toStdString();
        EXPECT_EQ(AppTheme::preferredScheme(manager.rawValue()), std::nullopt) << text.toStdString();
    }
    store(QStringLiteral("dark"));
    EXPECT_EQ(manager.mode(), AppearanceMode::dark);
    EXPECT_EQ(AppTheme::preferredScheme(manager.rawValue()), ColorScheme::dark);
    store(QStringLiteral("light"));
    EXPECT_EQ(manager.mode(), AppearanceMode::light);
    EXPECT_EQ(AppTheme::preferredScheme(manager.rawValue()), ColorScheme::light);
}

TEST_F(ThemeTest, TheSchemeInEffectFollowsTheChoiceThenTheDesktop) {
    QSignalSpy changes(&theme, &AppTheme::schemeChanged);
    desktop.set(ColorScheme::dark);
    EXPECT_EQ(theme.scheme(), ColorScheme::dark);
    EXPECT_EQ(theme.brandTint(), qColor(Tint::green));

    // A forced light scheme wins over a dark desktop, accent included.
    manager.setMode(AppearanceMode::light);
    EXPECT_EQ(theme.scheme(), ColorScheme::light);
    EXPECT_EQ(theme.brandTint(), qColor(Tint::blue));
    EXPECT_EQ(defaults.stringForKey(QString::fromLatin1(ThemeManager::kAppearanceKey)), "light");

    desktop.set(ColorScheme::light);
    desktop.set(ColorScheme::dark);
    EXPECT_EQ(theme.scheme(), ColorScheme::light);

    manager.setMode(AppearanceMode::system);
    EXPECT_EQ(theme.scheme(), ColorScheme::dark);
    ASSERT_EQ(changes.count(), 3);
    EXPECT_EQ(changes[1][0].value<ColorScheme>(), ColorScheme::light);
    EXPECT_EQ(changes[2][0].value<ColorScheme>(), ColorScheme::dark);
}

void click(QWidget& widget, const QPoint& at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
}

TEST_F(ThemeTest, TheSwitchWritesEveryPressAndShowsSystemForUnknownText) {
    store(QStringLiteral("Dark"));
    std::unique_ptr<AppearancePill> pill(AppearancePill::boundTo(manager));
    EXPECT_EQ(pill->selection(), AppearanceMode::system);
    QSignalSpy writes(&manager, &ThemeManager::objectWillChange);

    click(*pill, pill->buttonRect(AppearanceMode::system).center());
    EXPECT_EQ(writes.count(), 1);
    EXPECT_EQ(manager.rawValue(), "system");

    click(*pill, pill->buttonRect(AppearanceMode::dark).center());
    EXPECT_EQ(manager.rawValue(), "dark");
    EXPECT_EQ(pill->selection(), AppearanceMode::dark);
    click(*pill, pill->buttonRect(AppearanceMode::dark).center());
    EXPECT_EQ(writes.count(), 3);

    // The whole 28 by 22 frame is the button, not only the symbol; the gap between buttons is no button.
    click(*pill, pill->buttonRect(AppearanceMode::light).topLeft());
    EXPECT_EQ(manager.rawValue(), "light");
    click(*pill, QPoint(AppearancePill::kButtonSize.width(), 10));
    EXPECT_EQ(writes.count(), 4);
}

TEST(AppearancePillTest, TheSymbolColoursTravelWithTheHighlight) {
    AppearancePill pill(AppearanceMode::system);
    const QRgb primary = platformColor(pill, PlatformColor::primaryLabel).rgba();
    const QRgb secondary = platformColor(pill, PlatformColor::secondaryLabel).rgba();
    const auto color = [&pill](AppearanceMode mode) { return pill.symbolColor(mode).rgba(); };
    EXPECT_EQ(color(AppearanceMode::system), primary);
    EXPECT_EQ(color(AppearanceMode::light), secondary);
    EXPECT_EQ(color(AppearanceMode::dark), secondary);

    pill.show();
    Motion::setEnabled(true);
    pill.setSelection(AppearanceMode::dark);
    // Nothing switches at once: the colours change as the highlight slides over to "dark".
    EXPECT_EQ(color(AppearanceMode::system), primary);
    EXPECT_EQ(color(AppearanceMode::dark), secondary);
    bool passedLight = false;
    const bool settled = test::waitUntil([&] {
        passedLight = passedLight || color(AppearanceMode::light) != secondary;
        return color(AppearanceMode::dark) == primary && color(AppearanceMode::light) == secondary;
    });
    Motion::setEnabled(false);
    EXPECT_TRUE(settled);
    EXPECT_TRUE(passedLight);
    EXPECT_EQ(color(AppearanceMode::system), secondary);
}

TEST(SpringTest, SettlesOnItsTargetAndOvershootsWhenUnderdamped) {
    const Spring spring{0.32, 0.78};
    double highest = 0;
    for (int ms = 0; ms < 600; ms += 5)
        highest = std::max(highest, springValue(spring, ms / 1000.0));
    EXPECT_GT(highest, 1.0);
    EXPECT_NEAR(springValue(spring, settlingDuration(spring).count() / 1000.0), 1.0, 0.001);
    EXPECT_LT(settlingDuration(spring), std::chrono::milliseconds(700));
    const Spring critical{0.5, 1.0};
    for (int ms = 0; ms < 2000; ms += 5)
        EXPECT_LE(springValue(critical, ms / 1000.0), 1.0);
}

// The portal's Settings interface, answering Read with a number the test chooses. It runs on a thread of
// its own: the program's Read blocks the main thread until the answer comes.
class FakePortal final : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.member() != "Read")
            return false;
        // Portals wrap the value in a variant inside the reply's variant.
        const QVariant inner = QVariant::fromValue(QDBusVariant(QVariant::fromValue(value.load())));
        connection.send(message.createReply(QVariantList{QVariant::fromValue(QDBusVariant(inner))}));
        return true;
    }
    std::atomic<unsigned> value = 0;
};

class PortalColorSchemeTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (bus.address().isEmpty())
            GTEST_SKIP() << "no dbus-daemon to run a private bus";
        server = QDBusConnection::connectToBus(bus.address(), "zn-portal-server");
    }
    void TearDown() override {
        portalThread.quit();
        portalThread.wait();
        QDBusConnection::disconnectFromBus("zn-portal-server");
        QDBusConnection::disconnectFromBus("zn-portal-client");
    }
    void startPortal(unsigned value) {
        portal.value = value;
        portal.moveToThread(&portalThread);
        portalThread.start();
        ASSERT_TRUE(server.registerVirtualObject("/org/freedesktop/portal/desktop", &portal));
        ASSERT_TRUE(server.registerService("org.freedesktop.portal.Desktop"));
    }
    std::unique_ptr<PortalColorScheme> client(QColor desktopWindow) {
        return std::make_unique<PortalColorScheme>(QDBusConnection::connectToBus(bus.address(), "zn-portal-client"),
                                                   desktopWindow);
    }
    void announce(unsigned value) {
        QDBusMessage signal = QDBusMessage::createSignal("/org/freedesktop/portal/desktop",
                                                         "org.freedesktop.portal.Settings", "SettingChanged");
        signal << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme")
               << QVariant::fromValue(QDBusVariant(QVariant::fromValue(value)));
        server.send(signal);
    }

    test::FixtureTree tree;
    test::PrivateSessionBus bus{tree};
    QDBusConnection server{QString()};
    FakePortal portal;
    QThread portalThread;
};

TEST_F(PortalColorSchemeTest, ThePortalDecidesAndIsFollowedWhileRunning) {
    startPortal(1);
    auto scheme = client(Qt::white);
    EXPECT_EQ(scheme->current(), ColorScheme::dark);
    QSignalSpy changed(scheme.get(), &DesktopColorScheme::changed);

    announce(2);
    ASSERT_TRUE(test::waitUntil([&] { return changed.count() == 1; }));
    EXPECT_EQ(scheme->current(), ColorScheme::light);
    // No preference: the desktop's window colour decides (white here).
    announce(0);
    announce(1);
    ASSERT_TRUE(test::waitUntil([&] { return changed.count() == 2; }));
    EXPECT_EQ(scheme->current(), ColorScheme::dark);
}

TEST_F(PortalColorSchemeTest, WithoutAPortalTheWindowColourDecides) {
    EXPECT_EQ(client(QColor(40, 40, 40))->current(), ColorScheme::dark);
    QDBusConnection::disconnectFromBus("zn-portal-client");
    EXPECT_EQ(client(QColor(236, 236, 236))->current(), ColorScheme::light);
    startPortal(0);
    QDBusConnection::disconnectFromBus("zn-portal-client");
    EXPECT_EQ(client(QColor(40, 40, 40))->current(), ColorScheme::dark);
}

} // namespace
} // namespace zn
