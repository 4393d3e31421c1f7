// The real notification-area adapter: its menu as the desktop shows it.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "app/language_setting.h"
#include "app/tray_menu.h"
#include "qt/notification_area.h"
#include "qt/utf8_text.h"

using namespace lenscout;

namespace {

SettingValues searchingEvery(int seconds) {
    SettingValues values;
    values.set(searchPeriodSetting(), seconds);
    return values;
}

}  // namespace

class SystemTrayTest : public QObject {
    Q_OBJECT

private slots:
    void theMenuCarriesMarksASeparatorAndEachCommand() {
        QWidget window;
        auto tray = makeSystemTray(&window);
        LanguageSetting = 2;
        struct Seen {
            QString text;
            bool separator, checkable, checked, exclusive;
            int command;
        };
        std::vector<Seen> seen;
        QTimer::singleShot(50, this, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* a : menu->actions())
                seen.push_back({a->text(), a->isSeparator(), a->isCheckable(), a->isChecked(),
                                a->actionGroup() && a->actionGroup()->isExclusive(), a->data().toInt()});
            menu->setActiveAction(menu->actions()[3]);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        const int chosen = tray->runMenu(BuildTrayMenu(searchingEvery(10)));
        LanguageSetting = 0;
        QCOMPARE(int(seen.size()), 11);
        QCOMPARE(chosen, ID_TRAY_TRADITIONAL);
        QCOMPARE(seen[0].text, QStringLiteral("Autodetect Language"));
        QCOMPARE(seen[1].text, QStringLiteral("English"));
        QCOMPARE(seen[2].text, QString::fromUtf8("简体中文"));
        QCOMPARE(seen[3].text, QString::fromUtf8("繁體中文"));
        QCOMPARE(seen[4].text, QStringLiteral("Deutsch"));
        QVERIFY(seen[5].separator && seen[9].separator);
        QCOMPARE(seen[6].text, QStringLiteral("Search every second"));
        QCOMPARE(seen[8].text, QStringLiteral("Search every 10 seconds"));
        QCOMPARE(seen[10].command, ID_TRAY_EXIT);
        for (int i = 0; i < 11; ++i) QCOMPARE(seen[i].checked, i == 2 || i == 8);
        // The five language entries are one exclusive group of radio items; Exit is a plain entry.
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(seen[i].command, ID_TRAY_AUTODETECT + i);
            QVERIFY(seen[i].checkable && seen[i].exclusive);
        }
        // So are the three search periods, a group of their own.
        for (int i = 6; i < 9; ++i) {
            QCOMPARE(seen[i].command, trayChoiceCommand(searchPeriodSetting(), static_cast<size_t>(i - 6)));
            QVERIFY(seen[i].checkable && seen[i].exclusive);
        }
        QVERIFY(!seen[10].checkable && !seen[10].exclusive);
    }

    // The icon's own menu is filled again at every showing: it holds one
    // set of entries and one group, however often it opens.
    void aMenuFilledAgainDoesNotGrow() {
        QMenu menu;
        for (int i = 0; i < 3; ++i) fillTrayMenu(&menu, BuildTrayMenu(searchingEvery(3)));
        QCOMPARE(menu.actions().size(), 11);
        QCOMPARE(menu.findChildren<QActionGroup*>().size(), 2);
        fillTrayMenu(&menu, {});
        QVERIFY(menu.actions().isEmpty());
    }

    void dismissingTheMenuChoosesNothing() {
        QWidget window;
        auto tray = makeSystemTray(&window);
        QTimer::singleShot(50, this, [] {
            if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
        });
        QCOMPARE(tray->runMenu(BuildTrayMenu(searchingEvery(3))), 0);
    }
};

#include "notification_area_test.moc"

int runSystemTrayTest(int argc, char** argv) {
    SystemTrayTest test;
    return QTest::qExec(&test, argc, argv);
}
