#pragma once
// One running instance per user and title: a later start hands over to the
// running one, which shows its window, and ends.
#include <QLocalServer>
#include <QObject>
#include <QString>

namespace lenscout {

enum class InstanceClaim {
    HandedOver,  // another instance runs and was asked to show itself
    Claimed,     // this is the one instance, listening for later starts
    Unclaimed,   // nobody else runs, but later starts cannot reach this one
};

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `title`: the title text the instance is known by. Its socket and
    // lock live in `folder`, by default the user's private runtime folder
    // ($XDG_RUNTIME_DIR), where no other account can put a socket.
    explicit SingleInstance(const char* title, const QString& folder = runtimeFolder());
    static QString runtimeFolder();

    // Looks for a running instance and, when there is none, becomes it; two
    // starts at the same moment take turns, so that exactly one runs.
    InstanceClaim claim();
    // The socket's full path.
    const QString& name() const { return name_; }

signals:
    // `activationToken`: the later start's XDG_ACTIVATION_TOKEN, or empty.
    void showRequested(const QByteArray& activationToken);

private:
    bool handOverToRunning();
    void takeConnection();

    QString folder_;
    QString name_;
    QLocalServer server_;
};

}  // namespace lenscout
