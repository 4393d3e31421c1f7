// The program's message box as the user meets it.
#include "qt/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace lenscout;

class MessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    // A warning, in plain text, modal to its window alone, so that the tray
    // icon and other windows still answer.
    void aWarningModalToItsWindowOnly() {
        QWidget window;
        window.show();
        struct {
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            Qt::WindowModality modality = Qt::NonModal;
            QWidget* parent = nullptr;
            Qt::TextFormat format = Qt::AutoText;
            QString title, text;
        } seen;
        QTimer::singleShot(50, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            seen = {box->icon(),       box->windowModality(), box->parentWidget(),
                    box->textFormat(), box->windowTitle(),    box->text()};
            box->accept();
        });
        showMessageBox(&window, "Socket Error <b>!</b>");
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(seen.modality, Qt::WindowModal);
        QCOMPARE(seen.parent, &window);
        QCOMPARE(seen.format, Qt::PlainText);
        QCOMPARE(seen.title, QStringLiteral("Lenscout"));
        QCOMPARE(seen.text, QStringLiteral("Socket Error <b>!</b>"));
    }
};

#include "message_box_test.moc"

int runMessageBoxTest(int argc, char** argv) {
    MessageBoxTest test;
    return QTest::qExec(&test, argc, argv);
}
