#include "Platform/qt/Notifier.h"
#include "appsupport/AppStateHarness.h"
#include "appsupport/PrivateSessionBus.h"
#include "support/FixtureTree.h"

#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <gtest/gtest.h>

namespace zn {
namespace {

// The notification server's side of Notify: records the call and answers with an id.
class NotificationServerStub final : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != "org.freedesktop.Notifications" || message.member() != "Notify")
            return false;
        calls.push_back(message.arguments());
        connection.send(message.createReply(QVariantList{1u}));
        return true;
    }
    std::vector<QVariantList> calls;
};

TEST(DBusNotifier, PostsTitleAndBodyToTheNotificationService) {
    test::FixtureTree tree;
    test::PrivateSessionBus bus(tree);
    if (bus.address().isEmpty())
        GTEST_SKIP() << "no dbus-daemon to run a private bus";
    QDBusConnection server = QDBusConnection::connectToBus(bus.address(), "zn-notifier-server");
    NotificationServerStub stub;
    ASSERT_TRUE(server.registerVirtualObject("/org/freedesktop/Notifications", &stub));
    ASSERT_TRUE(server.registerService("org.freedesktop.Notifications"));

    DBusNotifier notifier(QDBusConnection::connectToBus(bus.address(), "zn-notifier-client"));
    EXPECT_EQ(notifier.post({"Zelva Nexal", "Found 1.2 GB you can clean."}), std::nullopt);
    ASSERT_TRUE(test::waitUntil([&] { return !stub.calls.empty(); }));
    const QVariantList& arguments = stub.calls[0];
    ASSERT_EQ(arguments.size(), 8);
    EXPECT_EQ(arguments[0].toString(), "Zelva Nexal");
    EXPECT_EQ(arguments[1].toUInt(), 0u);
    EXPECT_EQ(arguments[3].toString(), "Zelva Nexal");
    EXPECT_EQ(arguments[4].toString(), "Found 1.2 GB you can clean.");
    EXPECT_EQ(arguments[7].toInt(), -1);

    server.unregisterObject("/org/freedesktop/Notifications");
    QDBusConnection::disconnectFromBus("zn-notifier-server");
    QDBusConnection::disconnectFromBus("zn-notifier-client");
}

TEST(DBusNotifier, WithoutABusTheFailureIsReported) {
    test::FixtureTree tree;
    auto connection = QDBusConnection::connectToBus("unix:path=" + QString::fromStdString(tree.path("none")),
                                                    "zn-notifier-nobus");
    DBusNotifier notifier(connection);
    auto failure = notifier.post({"Zelva Nexal", "Found Zero KB you can clean."});
    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->empty());
    QDBusConnection::disconnectFromBus("zn-notifier-nobus");
}

} // namespace
} // namespace zn
