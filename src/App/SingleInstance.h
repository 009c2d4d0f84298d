#pragma once

#include <QObject>
#include <chrono>
#include <memory>
#include <string>

class QLocalServer;

namespace zn {

// One running copy of the windowed program per user, as starting a running application activates it.
// The first copy holds a lock in the user's runtime folder for as long as it runs (the system lets go of
// it when the process ends, however it ends, so a crashed run never blocks a start) and listens on a socket
// beside it. A later start asks that copy to show its main window instead of running a second scheduler.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Claim {
        first,          // this copy runs; later starts hand over to it
        handedOver,     // a running copy showed its window: this start is done
        runningCopyMute // a copy holds the lock but did not answer in time
    };

    // `runtimeFolder` is the user's own runtime folder ($XDG_RUNTIME_DIR); without a usable one every start
    // runs on its own.
    explicit SingleInstance(std::string runtimeFolder,
                            std::chrono::milliseconds answerTimeLimit = std::chrono::seconds(5),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // Blocks for at most the time limit while a running copy answers.
    Claim claim();

    // $XDG_RUNTIME_DIR, when set to an absolute path.
    static std::string userRuntimeFolder();

signals:
    // A later start asked this copy to show its main window.
    void activationRequested();

private:
    bool handOver() const;
    void listen();
    void answer();

    std::string runtimeFolder_;
    std::chrono::milliseconds answerTimeLimit_;
    int lockFd_ = -1;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace zn
