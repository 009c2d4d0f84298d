#pragma once

#include "support/FixtureTree.h"

#include <QProcess>
#include <QString>

namespace zn::test {

// A D-Bus bus of the test's own, so that no desktop service is involved. Its address is empty when no
// dbus-daemon could be started.
class PrivateSessionBus {
public:
    explicit PrivateSessionBus(const FixtureTree& tree);
    ~PrivateSessionBus();

    const QString& address() const { return address_; }

private:
    QProcess process_;
    QString address_;
};

} // namespace zn::test
