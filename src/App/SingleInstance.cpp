#include "App/SingleInstance.h"

#include "Logic/Utilities/Logger.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zn {

namespace {

const std::string kSource = "SingleInstance";
constexpr char kShowRequest[] = "show\n";
constexpr char kShownAnswer[] = "shown\n";

// The runtime folder must be this user's own and closed to others, or another user could answer for us.
bool isPrivateFolder(const std::string& path) {
    struct stat info;
    return !path.empty() && path.front() == '/' && ::lstat(path.c_str(), &info) == 0 &&
           S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

} // namespace

SingleInstance::SingleInstance(std::string runtimeFolder, std::chrono::milliseconds answerTimeLimit,
                               QObject* parent)
    : QObject(parent), runtimeFolder_(std::move(runtimeFolder)), answerTimeLimit_(answerTimeLimit) {}

SingleInstance::~SingleInstance() {
    if (server_)
        server_->close();
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

std::string SingleInstance::userRuntimeFolder() {
    const char* folder = std::getenv("XDG_RUNTIME_DIR");
    return folder && folder[0] == '/' ? folder : "";
}

SingleInstance::Claim SingleInstance::claim() {
    if (!isPrivateFolder(runtimeFolder_)) {
        Logger::shared().log("No private runtime folder: a second start of the program runs on its own",
                             LogLevel::warning, kSource);
        return Claim::first;
    }
    const std::string lockPath = runtimeFolder_ + "/zelvanexal.lock";
    lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFd_ < 0) {
        Logger::shared().log("Cannot open " + lockPath + ": " + std::strerror(errno), LogLevel::warning,
                             kSource);
        return Claim::first;
    }
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) == 0) {
        listen();
        return Claim::first;
    }
    ::close(lockFd_);
    lockFd_ = -1;
    return handOver() ? Claim::handedOver : Claim::runningCopyMute;
}

// The running copy may have taken the lock a moment ago and not be listening yet: connecting is retried
// until the time limit.
bool SingleInstance::handOver() const {
    const auto deadline = std::chrono::steady_clock::now() + answerTimeLimit_;
    const auto remaining = [&] {
        using std::chrono::milliseconds;
        const auto left =
            std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        return static_cast<int>(std::max<milliseconds::rep>(0, left.count()));
    };
    QLocalSocket socket;
    const QString name = QString::fromStdString(runtimeFolder_ + "/zelvanexal.socket");
    while (true) {
        socket.connectToServer(name);
        if (socket.waitForConnected(remaining()))
            break;
        if (remaining() == 0)
            return false;
        QThread::msleep(20);
    }
    socket.write(kShowRequest);
    if (!socket.waitForBytesWritten(remaining()))
        return false;
    QByteArray answer;
    while (!answer.endsWith('\n') && socket.waitForReadyRead(remaining()))
        answer += socket.readAll();
    return answer == kShownAnswer;
}

void SingleInstance::listen() {
    // With the lock held no other copy listens here: a socket left by a crashed run is stale.
    const QString name = QString::fromStdString(runtimeFolder_ + "/zelvanexal.socket");
    QLocalServer::removeServer(name);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name)) {
        Logger::shared().log("Cannot listen for later starts: " + server_->errorString().toStdString(),
                             LogLevel::warning, kSource);
        return;
    }
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::answer);
}

void SingleInstance::answer() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto readRequest = [this, socket] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == kShowRequest) {
                emit activationRequested();
                socket->write(kShownAnswer);
                socket->flush();
            }
            socket->disconnectFromServer();
        };
        connect(socket, &QLocalSocket::readyRead, this, readRequest);
        readRequest();
    }
}

} // namespace zn
