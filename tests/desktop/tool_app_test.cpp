#include "app/desktop/tool_app.h"

#include <QTest>
#include <thread>

#include "app/desktop/camera_list_dlg.h"
#include "app/desktop/single_instance.h"

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

    void aSecondStartHandsOverToTheFirst() {
        SingleInstance first("Lenscout test");
        QVERIFY(first.listen());
        int shows = 0;
        connect(&first, &SingleInstance::showRequested, this, [&] { ++shows; });
        bool handedOver = false;
        std::thread second([&] { handedOver = SingleInstance("Lenscout test").handOverToRunning(); });
        for (int i = 0; i < 200 && shows == 0; ++i) QTest::qWait(10);
        second.join();
        QVERIFY(handedOver);
        QCOMPARE(shows, 1);
        QVERIFY(!SingleInstance("Another title").handOverToRunning());
    }
};

#include "tool_app_test.moc"

int runToolAppTest(int argc, char** argv) {
    ToolAppTest test;
    return QTest::qExec(&test, argc, argv);
}
