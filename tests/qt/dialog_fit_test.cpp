// Every text of the camera dialogs fits its widget in every language, at
// the system font's size and at twice it, as a 200 % display shows it.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/string_table.h"
#include "qt/camera_info_dlg.h"
#include "qt/credentials_dlg.h"
#include "qt/net_config_dlg.h"
#include "qt/upgrade_dlg.h"
#include "qt/utf8_text.h"
#include "support/camera_records.h"

using namespace lenscout;

class DialogFitTest : public QObject {
    Q_OBJECT

    // Each label and check box at least as wide as its text asks; a push
    // button, which asks for a margin of its style's besides, wider than
    // its text.
    static void expectFits(QDialog& dialog, const QString& where) {
        dialog.show();
        QApplication::processEvents();
        for (QWidget* w : dialog.findChildren<QWidget*>()) {
            auto* label = qobject_cast<QLabel*>(w);
            auto* button = qobject_cast<QAbstractButton*>(w);
            if (!w->isVisible() || (!label && !button)) continue;
            const QString text = label ? label->text() : button->text();
            const bool push = qobject_cast<QPushButton*>(w) != nullptr;
            const int needed = push ? w->fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&'))) + 4
                                    : w->sizeHint().width();
            QVERIFY2(w->width() >= needed, qPrintable(where + ": " + text));
        }
        dialog.hide();
    }

private slots:
    void everyTextFitsInEveryLanguageAtOneAndTwoTimesTheFont() {
        const QFont normal = QApplication::font();
        for (const int scale : {1, 2}) {
            QFont font = normal;
            font.setPointSizeF(normal.pointSizeF() * scale);
            QApplication::setFont(font);
            for (int language = 1; language <= kLanguageCount; ++language) {
                SelectLanguage(language);
                const QString where = QString::fromUtf8(languageInfo(language)->englishName) +
                                      QStringLiteral(" at %1 %").arg(scale * 100);
                CCameraInfoDlg properties;
                properties.m_camera = test::camera("CAM-7", "Yard");
                properties.OnInitDialog();
                expectFits(properties, QStringLiteral("properties, ") + where);
                CNetConfigDlg network;
                network.m_camera = properties.m_camera;
                network.OnInitDialog();
                expectFits(network, QStringLiteral("network, ") + where);
                CUpgradeDlg upgrade;
                upgrade.m_camera = properties.m_camera;
                upgrade.OnInitDialog();
                expectFits(upgrade, QStringLiteral("upgrade, ") + where);
                CCredentialsDlg credentials;
                credentials.m_camera = properties.m_camera;
                credentials.m_titleRow = kTextNetworkConfiguration;
                credentials.OnInitDialog();
                expectFits(credentials, QStringLiteral("credentials, ") + where);
            }
        }
        QApplication::setFont(normal);
        SelectLanguage(kEnglish);
    }
};

int runDialogFitTest(int argc, char** argv) {
    DialogFitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "dialog_fit_test.moc"
