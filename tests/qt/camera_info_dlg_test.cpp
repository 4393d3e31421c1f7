#include "qt/camera_info_dlg.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cstring>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "ui/camera_fields.h"

using namespace lenscout;

class CameraInfoDlgTest : public QObject {
    Q_OBJECT

    QString label(CCameraInfoDlg& d, const char* name) {
        return d.findChild<QLabel*>(QString::fromLatin1(name))->text();
    }

private slots:
    void showsTheRecordWithVersionsInStoredByteOrder() {
        SelectLanguage(kEnglish);
        CCameraInfoDlg dlg;
        setFieldText(dlg.m_camera.deviceId, "CAM000042");
        setFieldText(dlg.m_camera.name, "Gate");
        const uint8_t firmware[4] = {1, 2, 3, 4}, webUi[4] = {2, 0, 1, 7};
        std::memcpy(&dlg.m_camera.firmwareVersion, firmware, 4);
        std::memcpy(&dlg.m_camera.webUiVersion, webUi, 4);
        // Claims one address, answered from another.
        const uint8_t ip[4] = {192, 168, 77, 150}, sender[4] = {192, 168, 77, 11};
        std::memcpy(&dlg.m_camera.ip, ip, 4);
        std::memcpy(&dlg.m_camera.sender, sender, 4);
        dlg.OnInitDialog();
        QCOMPARE(label(dlg, "label_ip"), QStringLiteral("IP Address"));
        QCOMPARE(label(dlg, "ip"), QStringLiteral("192.168.77.150"));
        QCOMPARE(label(dlg, "label_sender"), QStringLiteral("Answered from"));
        QCOMPARE(label(dlg, "sender"), QStringLiteral("192.168.77.11"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Gate Basic Properties"));
        QCOMPARE(label(dlg, "label_id"), QStringLiteral("Device ID"));
        QCOMPARE(label(dlg, "label_firmware"), QStringLiteral("System Firmware Version"));
        QCOMPARE(label(dlg, "label_webui"), QStringLiteral("Web UI Version"));
        QCOMPARE(label(dlg, "id"), QStringLiteral("CAM000042"));
        QCOMPARE(label(dlg, "firmware"), QStringLiteral("1.2.3.4"));
        QCOMPARE(label(dlg, "webui"), QStringLiteral("2.0.1.7"));
        QCOMPARE(dlg.findChild<QPushButton*>(QStringLiteral("IDCANCEL"))->text(), QStringLiteral("OK"));
        // Built from the field table: a label and its value for each row, in
        // its order, each label's text before its value, all in the dialog.
        int rows = 0, lastY = -1;
        for (const CameraField* f : fieldsFor(kInProperties)) {
            auto* l = dlg.findChild<QLabel*>(QStringLiteral("label_") + QLatin1String(f->key));
            auto* v = dlg.findChild<QLabel*>(QLatin1String(f->key));
            QVERIFY(l && v);
            QCOMPARE(l->buddy(), v);
            QVERIFY(l->x() + l->fontMetrics().horizontalAdvance(l->text()) <= v->x());
            QVERIFY(v->geometry().right() < dlg.width());
            QVERIFY(v->y() > lastY);
            lastY = v->y();
            ++rows;
        }
        QCOMPARE(int(dlg.findChildren<QLabel*>().size()), 2 * rows);
    }

    void anAnonymousCameraInTraditionalChinese() {
        SelectLanguage(kTraditionalChinese);
        CCameraInfoDlg dlg;
        dlg.OnInitDialog();
        QCOMPARE(dlg.windowTitle(), QString::fromUtf8("佚名 基本屬性"));
        QCOMPARE(label(dlg, "label_id"), QString::fromUtf8("設備 ID"));
        QCOMPARE(label(dlg, "firmware"), QStringLiteral("0.0.0.0"));
        SelectLanguage(kEnglish);
    }

    // What a camera sends is text: markup in its ID or name is shown, read
    // out and copied as it came.
    void markupFromTheCameraIsShownAsText() {
        SelectLanguage(kEnglish);
        CCameraInfoDlg dlg;
        setFieldText(dlg.m_camera.deviceId, "<s>CAM</s>42");
        setFieldText(dlg.m_camera.name, "<b>Gate</b>");
        dlg.OnInitDialog();
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("<b>Gate</b> Basic Properties"));
        auto* id = dlg.findChild<QLabel*>(QStringLiteral("id"));
        // A screen reader gets what is drawn; rich text would read "CAM42".
        QCOMPARE(QAccessible::queryAccessibleInterface(id)->text(QAccessible::Name), QStringLiteral("<s>CAM</s>42"));
        // The value can be selected from the keyboard and copied.
        id->setFocus();
        QTest::keyClick(id, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(id->selectedText(), QStringLiteral("<s>CAM</s>42"));
        QTest::keyClick(id, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("<s>CAM</s>42"));
    }

    void enterCloses() {
        CCameraInfoDlg dlg;
        dlg.OnInitDialog();
        dlg.show();
        QTest::keyClick(&dlg, Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
    }
};

#include "camera_info_dlg_test.moc"

int runCameraInfoDlgTest(int argc, char** argv) {
    CameraInfoDlgTest test;
    return QTest::qExec(&test, argc, argv);
}
