#include "qt/single_instance.h"

#include "app/show_request.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <algorithm>

#include "platform/user_key.h"

namespace lenscout {

namespace {

constexpr int kConnectWaitMs = 1000;
constexpr int kTurnWaitMs = 10000;
}  // namespace

SingleInstance::SingleInstance(const char* title, const QString& folder) : folder_(folder) {
    const QByteArray digest = QCryptographicHash::hash(QByteArray(title), QCryptographicHash::Sha1).toHex().left(16);
    const QString file =
        QStringLiteral("lenscout-%1-%2").arg(QString::fromStdString(currentUserKey()), QString::fromLatin1(digest));
    name_ = QDir(folder_).filePath(file);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::takeConnection);
}

// Qt makes a private folder of its own where the session has none, and
// gives none when even that would be another account's.
QString SingleInstance::runtimeFolder() { return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation); }

// The lock makes the look and the listen one step for starts that race;
// a lock left by a killed process counts as free.
InstanceClaim SingleInstance::claim() {
    if (folder_.isEmpty()) return InstanceClaim::Unclaimed;
    QLockFile turn(name_ + QStringLiteral(".lock"));
    turn.tryLock(kTurnWaitMs);
    if (handOverToRunning()) return InstanceClaim::HandedOver;
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    return server_.listen(name_) ? InstanceClaim::Claimed : InstanceClaim::Unclaimed;
}

// A connection is answered by the system even while the running instance
// is busy (an upload blocks its loop): it shows its window once it can.
bool SingleInstance::handOverToRunning() {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (socket.waitForConnected(kConnectWaitMs)) {
        // Another account's socket at this name gets nothing, and this start runs.
        if (!peerIsCurrentUser(socket.socketDescriptor())) return false;
        // A launcher's activation token travels on, so that the running
        // instance may take the focus where the compositor asks for one.
        const QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
        socket.write(QByteArray::fromStdString(showRequest(std::string_view(token.constData(), token.size()))));
        socket.waitForBytesWritten(kConnectWaitMs);
        return true;
    }
    // Only a name that nobody listens on is a dead instance's to take over.
    if (socket.error() == QLocalSocket::ConnectionRefusedError) QLocalServer::removeServer(name_);
    return false;
}

void SingleInstance::takeConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerIsCurrentUser(socket->socketDescriptor())) {
            socket->abort();
            continue;
        }
        auto take = [this, socket] {
            if (!socket->canReadLine() && socket->bytesAvailable() < static_cast<qint64>(kLongestShowRequest)) return;
            const QByteArray line = socket->readLine(kLongestShowRequest).trimmed();
            if (const auto token = parseShowRequest(std::string_view(line.constData(), line.size())))
                emit showRequested(QByteArray::fromStdString(*token));
            socket->disconnectFromServer();
        };
        connect(socket, &QLocalSocket::readyRead, this, take);
        take();  // the request may have come with the connection
    }
}

}  // namespace lenscout
