#include "qt/tool_app.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "app/language_setting.h"
#include "app/startup_language.h"
#include "qt/camera_list_dlg.h"
#include "qt/list_log.h"
#include "qt/single_instance.h"

using namespace lenscout;

class ToolAppTest : public QObject {
    Q_OBJECT

private slots:
    void aFailingSocketLayerShowsOnlySocketError() {
        std::vector<std::string> shown;
        bool windowMade = false;
        StartupServices s;
        s.startSocketLayer = [] { return false; };
        s.messageBox = [&](QWidget*, const char* text) { shown.emplace_back(text); };
        s.makeMainWindow = [&] {
            windowMade = true;
            return std::unique_ptr<CCameraListDlg>();
        };
        CToolApp app(std::move(s));
        QVERIFY(!app.InitInstance());
        QCOMPARE(shown, std::vector<std::string>{"Socket Error !"});
        QVERIFY(!windowMade);
    }

    void aNormalStartWritesNoSettingsFile() {
        char dir[] = "/tmp/lenscout-start.XXXXXX";
        QVERIFY(mkdtemp(dir));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QString::fromLatin1(dir)));
        setenv("XDG_CONFIG_HOME", dir, 1);
        takeOverOldSettings();
        ChooseStartupLanguage();
        const bool written = QFile::exists(QStringLiteral("lenscout.cfg")) || QFile::exists(QStringLiteral("lenscout"));
        unsetenv("XDG_CONFIG_HOME");
        QDir::setCurrent(before);
        QDir(QString::fromLatin1(dir)).removeRecursively();
        QVERIFY(!written);
    }

    // The list log is a diagnostic: a browser started from the program must
    // not inherit its file.
    void theListLogIsClosedOnExec() {
        const QString path = QDir::temp().filePath(QStringLiteral("lenscout-list-log-test"));
        qputenv("LENSCOUT_LIST_LOG", path.toLocal8Bit());
        auto log = ListLog::fromEnvironment();
        qunsetenv("LENSCOUT_LIST_LOG");
        QVERIFY(log);
        int flags = -1;
        for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files))
            if (fd.symLinkTarget() == path) flags = ::fcntl(fd.fileName().toInt(), F_GETFD);
        log.reset();
        QFile::remove(path);
        QVERIFY(flags >= 0);
        QVERIFY(flags & FD_CLOEXEC);
    }

    // The first instance's loop is blocked (an upload) for 5 s: the second
    // start still finds it, asks it to show itself and ends at once.
    void aBusyFirstInstanceStillCountsAsRunning() {
        SingleInstance first("Lenscout busy");
        QCOMPARE(first.claim(), InstanceClaim::Claimed);
        int shows = 0;
        connect(&first, &SingleInstance::showRequested, this, [&] { ++shows; });
        InstanceClaim second = InstanceClaim::Claimed;
        std::chrono::steady_clock::duration took{};
        std::thread start([&] {
            const auto begin = std::chrono::steady_clock::now();
            second = SingleInstance("Lenscout busy").claim();
            took = std::chrono::steady_clock::now() - begin;
        });
        std::this_thread::sleep_for(std::chrono::seconds(5));
        start.join();
        QCOMPARE(second, InstanceClaim::HandedOver);
        QVERIFY(took < std::chrono::seconds(2));
        QTRY_COMPARE(shows, 1);
        QCOMPARE(SingleInstance("Another title").claim(), InstanceClaim::Claimed);
    }

    // A killed instance leaves its socket name behind, with nobody listening.
    void aStaleNameIsTakenOver() {
        SingleInstance stale("Lenscout stale");
        const QByteArray path = QDir::temp().filePath(stale.name()).toLocal8Bit();
        QLocalServer::removeServer(stale.name());
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(s);
        QVERIFY(QFile::exists(QString::fromLocal8Bit(path)));

        SingleInstance next("Lenscout stale");
        QCOMPARE(next.claim(), InstanceClaim::Claimed);
        QCOMPARE(SingleInstance("Lenscout stale").claim(), InstanceClaim::HandedOver);
    }

    // A later start's activation token reaches the running instance, which
    // puts it where Qt's Wayland platform takes it from; a token that is no
    // word of printable ASCII is dropped, the request kept.
    void theActivationTokenTravelsWithTheRequest() {
        SingleInstance first("Lenscout token");
        QCOMPARE(first.claim(), InstanceClaim::Claimed);
        QList<QByteArray> tokens;
        connect(&first, &SingleInstance::showRequested, this, [&](const QByteArray& t) { tokens << t; });
        const QByteArray saved = qgetenv("XDG_ACTIVATION_TOKEN");
        for (const char* token : {"wl-token_42/abc", "", "two words"}) {
            qputenv("XDG_ACTIVATION_TOKEN", token);
            QCOMPARE(SingleInstance("Lenscout token").claim(), InstanceClaim::HandedOver);
        }
        QTRY_COMPARE(tokens.size(), 3);
        QCOMPARE(tokens, (QList<QByteArray>{"wl-token_42/abc", "", ""}));

        qunsetenv("XDG_ACTIVATION_TOKEN");
        CCameraListDlg window;
        window.showAndRaise("wl-token_42/abc");
        QCOMPARE(qgetenv("XDG_ACTIVATION_TOKEN"), QByteArray("wl-token_42/abc"));
        qputenv("XDG_ACTIVATION_TOKEN", saved);
    }

    // The name is looked for in the user's private runtime folder, not in
    // the shared temporary one.
    void theNameLivesInTheUsersRuntimeFolder() {
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        SingleInstance instance("Lenscout private");
        QVERIFY(instance.name().startsWith(runtime.path() + QLatin1Char('/')));
        QCOMPARE(instance.claim(), InstanceClaim::Claimed);
        QVERIFY(QFile::exists(instance.name()));
        qputenv("XDG_RUNTIME_DIR", saved);
    }

    // Another account listening at the name, where it could put a socket,
    // neither gets the "show" nor stops this start.
    void anotherAccountsSocketGetsNothing() {
        if (::geteuid() != 0) QSKIP("needs root to play a second account");
        QTemporaryDir shared;
        ::chmod(shared.path().toLocal8Bit().constData(), 01777);
        const QString name = SingleInstance("Lenscout squat", shared.path()).name();
        int report[2];
        QCOMPARE(::pipe(report), 0);
        const pid_t squatter = ::fork();
        if (squatter == 0) {
            // nobody: binds the name, takes one connection and reports what it read.
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) _exit(2);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, name.toLocal8Bit().constData(), sizeof address.sun_path - 1);
            const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
            if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(s, 4) != 0) _exit(3);
            char ready = 'r';
            if (::write(report[1], &ready, 1) != 1) _exit(4);
            pollfd p{s, POLLIN, 0};
            char got[64] = {};
            ssize_t n = 0;
            if (::poll(&p, 1, 5000) == 1) {
                const int c = ::accept(s, nullptr, nullptr);
                pollfd q{c, POLLIN, 0};
                if (::poll(&q, 1, 2000) == 1) n = ::read(c, got, sizeof got);
            }
            const char count = static_cast<char>('0' + (n > 0 ? n : 0));
            _exit(::write(report[1], &count, 1) == 1 ? 0 : 5);
        }
        ::close(report[1]);
        char ready = 0;
        QCOMPARE(::read(report[0], &ready, 1), ssize_t(1));
        QCOMPARE(ready, 'r');
        QVERIFY(SingleInstance("Lenscout squat", shared.path()).claim() != InstanceClaim::HandedOver);
        char count = 0;
        QCOMPARE(::read(report[0], &count, 1), ssize_t(1));
        QCOMPARE(count, '0');
        ::close(report[0]);
        int status = 0;
        ::waitpid(squatter, &status, 0);
        QCOMPARE(status, 0);
    }

    void twoStartsAtOnceLeaveOneInstance() {
        for (int round = 0; round < 5; ++round) {
            const QByteArray title = "Lenscout race " + QByteArray::number(round);
            std::atomic<int> ready{0}, claimed{0};
            InstanceClaim outcome[2];
            auto start = [&](int i) {
                SingleInstance instance(title.constData());
                for (++ready; ready < 2;) std::this_thread::yield();
                outcome[i] = instance.claim();
                // Stay alive until both have looked.
                for (++claimed; claimed < 2;) std::this_thread::yield();
            };
            std::thread a(start, 0), b(start, 1);
            a.join();
            b.join();
            const int runs = (outcome[0] == InstanceClaim::Claimed) + (outcome[1] == InstanceClaim::Claimed);
            const int ends = (outcome[0] == InstanceClaim::HandedOver) + (outcome[1] == InstanceClaim::HandedOver);
            QCOMPARE(runs, 1);
            QCOMPARE(ends, 1);
        }
    }
};

#include "tool_app_test.moc"

int runToolAppTest(int argc, char** argv) {
    ToolAppTest test;
    return QTest::qExec(&test, argc, argv);
}
