// The credentials dialog through the main window's opener, as a user meets
// it: keys typed into whatever has the focus, Enter and Escape.
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <functional>

#include "app/string_table.h"
#include "qt/camera_dialogs.h"
#include "qt/credentials_dlg.h"
#include "support/camera_records.h"

using namespace lenscout;

class CredentialsDlgTest : public QObject {
    Q_OBJECT

    std::vector<std::string> shown;
    CameraDialogs dialogs =
        standardCameraDialogs([this](QWidget*, const char* text) { shown.emplace_back(text); }, nullptr);
    Credentials typed{};
    QString title;

    // Opens the dialog as a command does; `user` acts on it once it is up.
    bool open(const std::function<void(QWidget* dialog)>& user) {
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->activateWindow();
            if (!QTest::qWaitForWindowActive(dialog) || !QApplication::focusWidget()) {
                dialog->reject();
                QFAIL("the dialog has no focus");
            }
            title = dialog->windowTitle();
            user(dialog);
        });
        return dialogs.credentials(test::camera("CAM-7", "Yard"), kTextNetworkConfiguration, &typed);
    }
    static void keys(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    static void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
    }

private slots:
    void init() {
        SelectLanguage(kEnglish);
        shown.clear();
        typed = Credentials{};
    }

    // The password has the focus, the user is offered, and Enter is OK.
    void typedCredentialsComeOutOnEnter() {
        QVERIFY(open([](QWidget*) {
            keys(QStringLiteral("s3cret"));
            key(Qt::Key_Backtab, Qt::ShiftModifier);
            key(Qt::Key_A, Qt::ControlModifier);
            keys(QStringLiteral("operator"));
            key(Qt::Key_Return);
        }));
        QCOMPARE(title, QStringLiteral("Yard Network Configuration"));
        QCOMPARE(QString::fromLatin1(typed.user), QStringLiteral("operator"));
        QCOMPARE(QString::fromLatin1(typed.password), QStringLiteral("s3cret"));
    }

    void escapeGivesNothing() {
        QVERIFY(!open([](QWidget*) {
            keys(QStringLiteral("s3cret"));
            key(Qt::Key_Escape);
        }));
        QCOMPARE(typed.password[0], '\0');
    }

    // An empty user is refused with its message, and the dialog stays up.
    void anEmptyUserIsRefused() {
        bool stayed = false;
        QVERIFY(!open([&](QWidget* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("IDC_USER"))->clear();
            key(Qt::Key_Return);
            stayed = dialog->isVisible();
            key(Qt::Key_Escape);
        }));
        QVERIFY(stayed);
        QCOMPARE(shown, std::vector<std::string>{"Incorrect user or password !"});
    }

    // A screen reader names each field by its label, in the current language.
    void eachFieldIsNamedByItsLabel() {
        SelectLanguage(kSimplifiedChinese);
        CCredentialsDlg dialog;
        dialog.OnInitDialog();
        for (const auto& [name, row] : {std::pair{"IDC_USER", kTextUser}, std::pair{"IDC_PASSWORD", kTextPassword}}) {
            QAccessibleInterface* field = QAccessible::queryAccessibleInterface(dialog.findChild<QLineEdit*>(name));
            QVERIFY(field);
            QCOMPARE(field->text(QAccessible::Name), QString::fromUtf8(CurrentText(row)));
        }
    }
};

int runCredentialsDlgTest(int argc, char** argv) {
    CredentialsDlgTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "credentials_dlg_test.moc"
