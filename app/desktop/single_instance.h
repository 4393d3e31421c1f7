#pragma once
// One running instance per user and title: a later start hands over to the
// running one, which shows its window, and ends.
#include <QLocalServer>
#include <QObject>
#include <QString>

namespace lenscout {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `title`: the GBK title text the instance is known by.
    explicit SingleInstance(const char* title);

    // True when a running instance took the request to show itself.
    bool handOverToRunning();
    // Takes requests from later starts; false when that cannot be had (the
    // program runs on regardless).
    bool listen();
    const QString& name() const { return name_; }

signals:
    void showRequested();

private:
    void takeConnection();

    QString name_;
    QLocalServer server_;
};

}  // namespace lenscout
