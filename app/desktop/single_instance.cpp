#include "app/desktop/single_instance.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QLocalSocket>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace lenscout {

namespace {

constexpr int kHandOverWaitMs = 1000;
const QByteArray kShowRequest = "show\n";
const QByteArray kShowAnswer = "shown\n";

QString userKey() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

}  // namespace

SingleInstance::SingleInstance(const char* title) {
    const QByteArray digest = QCryptographicHash::hash(QByteArray(title), QCryptographicHash::Sha1).toHex().left(16);
    name_ = QStringLiteral("lenscout-%1-%2").arg(userKey(), QString::fromLatin1(digest));
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::takeConnection);
}

bool SingleInstance::handOverToRunning() {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kHandOverWaitMs)) return false;
    socket.write(kShowRequest);
    if (!socket.waitForBytesWritten(kHandOverWaitMs)) return false;
    while (socket.bytesAvailable() < kShowAnswer.size())
        if (!socket.waitForReadyRead(kHandOverWaitMs)) return false;
    return socket.readAll().startsWith(kShowAnswer);
}

bool SingleInstance::listen() {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(name_)) return true;
    // Nobody answered before, so what is left there is a dead instance's.
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

void SingleInstance::takeConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() < kShowRequest.size()) return;
            if (socket->readAll().startsWith(kShowRequest)) {
                emit showRequested();
                socket->write(kShowAnswer);
            }
            socket->disconnectFromServer();
        });
    }
}

}  // namespace lenscout
