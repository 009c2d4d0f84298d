#include "appsupport/PrivateSessionBus.h"

#include <QStandardPaths>

#include <fstream>

namespace zn::test {

PrivateSessionBus::PrivateSessionBus(const FixtureTree& tree) {
    const std::string socket = tree.path("bus");
    const std::string config = tree.path("bus.conf");
    std::ofstream(config) << "<busconfig><type>session</type><listen>unix:path=" << socket
                          << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                             "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                             "<allow own=\"*\"/></policy></busconfig>";
    const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
    // Unix socket paths are limited to about a hundred bytes.
    if (daemon.isEmpty() || socket.size() >= 100)
        return;
    process_.start(daemon, {"--nofork", "--print-address=1", QString::fromStdString("--config-file=" + config)});
    if (process_.waitForStarted() && process_.waitForReadyRead(5000))
        address_ = QString::fromUtf8(process_.readLine()).trimmed();
}

PrivateSessionBus::~PrivateSessionBus() {
    process_.kill();
    process_.waitForFinished();
}

} // namespace zn::test
