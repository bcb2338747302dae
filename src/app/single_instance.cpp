#include "single_instance.h"

#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace corpgather {
namespace {

constexpr QByteArrayView kRestore = "restore\n";
// The first start takes the lock a moment before it listens; a second start that comes in
// between waits this long for the socket.
constexpr int kConnectTimeoutMs = 5000;

}  // namespace

QString SingleInstance::DefaultName() {
    return QStringLiteral("CorpGather-%1").arg(getuid());
}

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), name_(name), lock_(QDir::tempPath() + '/' + name + QStringLiteral(".lock")) {
    // A lock whose owner died is taken over at once; a living owner never loses it.
    lock_.setStaleLockTime(0);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance() {
    server_.close();
}

bool SingleInstance::claim() {
    if (!lock_.tryLock(0))
        return !notifyFirst() && claim();
    // A socket file left by a start that crashed would refuse the listen.
    QLocalServer::removeServer(name_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    // Without the socket later starts cannot bring this one forward, but the lock still keeps
    // them from running beside it; this start goes on either way.
    if (!server_.listen(name_))
        qWarning("CorpGather: cannot listen on %s: %s", qPrintable(name_),
                 qPrintable(server_.errorString()));
    return true;
}

bool SingleInstance::notifyFirst() {
    const QDeadlineTimer deadline(kConnectTimeoutMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(name_);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
            socket.write(kRestore.data(), kRestore.size());
            socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
            socket.disconnectFromServer();
            return true;
        }
        // The lock may have been freed by a start that just ended.
        if (lock_.tryLock(0)) {
            lock_.unlock();
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        const auto read = [this, socket] {
            if (socket->readAll().contains(kRestore.trimmed()))
                emit activationRequested();
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            read();
    }
}

}  // namespace corpgather
