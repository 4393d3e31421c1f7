// A stand-in for a panel's notification area on the session bus, for the
// Wayland tests: it runs the StatusNotifierWatcher with a host registered,
// and acts on an item as a panel does.
//   sni_host watcher [SECONDS]   after SECONDS, own the watcher; print
//                                "ready", then "item SERVICE" and "gone SERVICE"
//   sni_host activate SERVICE    a left click on the item
//   sni_host menu SERVICE        the item's menu as the panel reads it, one
//                                entry a line: label, toggle type, state
//   sni_host click SERVICE LABEL picks the entry with that label
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QStringList>
#include <QTimer>
#include <cstdio>

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// The watcher, with a host always registered. Qt's tray reads its
// properties through introspection, which lists them only as declared here.
class Watcher : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    explicit Watcher(QDBusConnection bus) : bus_(bus), owners_(QString(), bus) {
        owners_.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
        connect(&owners_, &QDBusServiceWatcher::serviceUnregistered, this, [this](const QString& service) {
            if (!items_.removeAll(service)) return;
            owners_.removeWatchedService(service);
            say(QStringLiteral("gone ") + service);
            emit StatusNotifierItemUnregistered(service);
        });
    }
    QStringList items() const { return items_; }
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

public slots:
    // A path alone names an object of the caller's own connection.
    Q_SCRIPTABLE void RegisterStatusNotifierItem(const QString& serviceOrPath) {
        const QString service = serviceOrPath.startsWith(QLatin1Char('/')) ? message().service() : serviceOrPath;
        if (items_.contains(service)) return;
        items_ << service;
        owners_.addWatchedService(service);
        say(QStringLiteral("item ") + service);
        emit StatusNotifierItemRegistered(service);
    }
    Q_SCRIPTABLE void RegisterStatusNotifierHost(const QString&) {}

signals:
    Q_SCRIPTABLE void StatusNotifierItemRegistered(const QString& service);
    Q_SCRIPTABLE void StatusNotifierItemUnregistered(const QString& service);
    Q_SCRIPTABLE void StatusNotifierHostRegistered();
    Q_SCRIPTABLE void StatusNotifierHostUnregistered();

private:
    QDBusConnection bus_;
    QDBusServiceWatcher owners_;
    QStringList items_;
};

struct Entry {
    int id;
    QString label, toggleType;
    int toggleState;
};

// One node of com.canonical.dbusmenu's layout, (ia{sv}av), and its children.
void readLayout(const QDBusArgument& node, QList<Entry>* entries, bool top) {
    int id = 0;
    QVariantMap props;
    node.beginStructure();
    node >> id >> props;
    if (!top) {
        const bool separator = props.value(QStringLiteral("type")).toString() == QLatin1String("separator");
        entries->append({id, separator ? QStringLiteral("-") : props.value(QStringLiteral("label")).toString(),
                         props.value(QStringLiteral("toggle-type")).toString(),
                         props.value(QStringLiteral("toggle-state"), -1).toInt()});
    }
    node.beginArray();
    while (!node.atEnd()) {
        QDBusVariant child;
        node >> child;
        readLayout(child.variant().value<QDBusArgument>(), entries, false);
    }
    node.endArray();
    node.endStructure();
}

// The menu as a panel gets it when the user opens it: told first, then read.
bool readMenu(QDBusConnection bus, const QString& service, QDBusInterface** menu, QList<Entry>* entries) {
    QDBusInterface item(service, QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.kde.StatusNotifierItem"),
                        bus);
    const QString path = item.property("Menu").value<QDBusObjectPath>().path();
    if (path.isEmpty()) return false;
    *menu = new QDBusInterface(service, path, QStringLiteral("com.canonical.dbusmenu"), bus);
    (*menu)->call(QStringLiteral("AboutToShow"), 0);
    const QDBusMessage reply = (*menu)->call(QStringLiteral("GetLayout"), 0, -1, QStringList());
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() < 2) return false;
    readLayout(reply.arguments().at(1).value<QDBusArgument>(), entries, true);
    return true;
}

int watch(QDBusConnection bus, int delaySeconds) {
    auto* watcher = new Watcher(bus);
    QTimer::singleShot(delaySeconds * 1000, watcher, [bus, watcher]() mutable {
        bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), watcher,
                           QDBusConnection::ExportScriptableContents | QDBusConnection::ExportAllProperties);
        if (!bus.registerService(kWatcher)) QCoreApplication::exit(1);
        say(QStringLiteral("ready"));
    });
    return QCoreApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (args.isEmpty() || !bus.isConnected()) return 2;
    if (args[0] == QLatin1String("watcher")) return watch(bus, args.value(1, QStringLiteral("0")).toInt());
    if (args.size() < 2) return 2;
    if (args[0] == QLatin1String("activate")) {
        QDBusInterface item(args[1], QStringLiteral("/StatusNotifierItem"),
                            QStringLiteral("org.kde.StatusNotifierItem"), bus);
        return item.call(QStringLiteral("Activate"), 0, 0).type() == QDBusMessage::ReplyMessage ? 0 : 1;
    }
    QDBusInterface* menu = nullptr;
    QList<Entry> entries;
    if (!readMenu(bus, args[1], &menu, &entries)) return 1;
    if (args[0] == QLatin1String("menu")) {
        for (const Entry& e : entries)
            say(QStringLiteral("%1\t%2\t%3")
                    .arg(e.label, e.toggleType.isEmpty() ? QStringLiteral("-") : e.toggleType)
                    .arg(e.toggleState));
        return 0;
    }
    if (args[0] != QLatin1String("click") || args.size() < 3) return 2;
    for (const Entry& e : entries)
        if (e.label == args[2])
            return menu->call(QStringLiteral("Event"), e.id, QStringLiteral("clicked"),
                              QVariant::fromValue(QDBusVariant(0)), 0u)
                       .type() == QDBusMessage::ErrorMessage;
    return 1;
}

#include "sni_host.moc"
