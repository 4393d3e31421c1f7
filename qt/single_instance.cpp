#include "qt/single_instance.h"

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
// The request: "show", then a space and the launcher's activation token
// when the start was given one, then a newline.
const QByteArray kShow = "show";
constexpr int kLongestRequest = 512;

// A token is a word of printable ASCII, as the activation protocol hands it out.
bool plausibleToken(const QByteArray& token) {
    if (token.isEmpty() || token.size() > kLongestRequest - kShow.size() - 2) return false;
    return std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 0x7f; });
}

// Takes "show" or "show TOKEN" off a whole line; false for anything else.
bool parseShowRequest(const QByteArray& line, QByteArray* token) {
    if (line == kShow) return token->clear(), true;
    if (!line.startsWith(kShow + ' ')) return false;
    *token = line.mid(kShow.size() + 1);
    return plausibleToken(*token);
}

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
        socket.write((plausibleToken(token) ? kShow + ' ' + token : kShow) + '\n');
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
            if (!socket->canReadLine() && socket->bytesAvailable() < kLongestRequest) return;
            QByteArray token;
            if (parseShowRequest(socket->readLine(kLongestRequest).trimmed(), &token)) emit showRequested(token);
            socket->disconnectFromServer();
        };
        connect(socket, &QLocalSocket::readyRead, this, take);
        take();  // the request may have come with the connection
    }
}

}  // namespace lenscout
