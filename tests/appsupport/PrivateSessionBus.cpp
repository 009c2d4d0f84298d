#include "appsupport/PrivateSessionBus.h"

#include "support/Patience.h"

#include <QStandardPaths>

#include <atomic>
#include <fstream>
#include <unistd.h>

namespace zn::test {

PrivateSessionBus::PrivateSessionBus(const FixtureTree& tree) {
    // An abstract socket: a path inside the fixture could be too long for a socket, or hold characters that
    // a bus address must escape (a space in the checkout's path).
    static std::atomic<int> counter{0};
    const std::string socket =
        "zelvanexal-test-bus-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const std::string config = tree.path("bus.conf");
    std::ofstream(config) << "<busconfig><type>session</type><listen>unix:abstract=" << socket
                          << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                             "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                             "<allow own=\"*\"/></policy></busconfig>";
    const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
    if (daemon.isEmpty())
        return;
    process_.start(daemon,
                   {"--nofork", "--print-address=1", QString::fromStdString("--config-file=" + config)});
    const int patience = static_cast<int>(kPatience.count());
    if (process_.waitForStarted(patience) && process_.waitForReadyRead(patience))
        address_ = QString::fromUtf8(process_.readLine()).trimmed();
}

PrivateSessionBus::~PrivateSessionBus() {
    process_.kill();
    process_.waitForFinished();
}

} // namespace zn::test
