#include "qt/tool_app.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QTest>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

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
        ChooseStartupLanguage();
        const bool written = QFile::exists(QStringLiteral("lenscout.cfg"));
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
