#include "qt/net_config_dlg.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "platform/socket.h"
#include "qt/utf8_text.h"
#include "stand_ins.h"

using namespace lenscout;

class NetConfigDlgTest : public QObject {
    Q_OBJECT

    std::vector<std::string> shown;
    std::unique_ptr<CNetConfigDlg> dlg;

    QLineEdit* field(const char* name) { return dlg->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QCheckBox* dhcp() { return dlg->findChild<QCheckBox*>(QStringLiteral("IDC_DHCP")); }
    void type(const char* name, const QString& text) { test::typeInto(field(name), text); }
    // OK as the user presses it; true when the dialog closed with OK.
    bool pressOk() {
        QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("IDOK")), Qt::LeftButton);
        return dlg->result() == QDialog::Accepted;
    }
    void fixedAddress(const char* ip, const char* mask, const char* gateway, const char* dns) {
        type("IDC_IP", QString::fromLatin1(ip));
        type("IDC_MASK", QString::fromLatin1(mask));
        type("IDC_GATEWAY", QString::fromLatin1(gateway));
        type("IDC_DNS", QString::fromLatin1(dns));
    }

private slots:
    void init() {
        SelectLanguage(kEnglish);
        shown.clear();
        dlg = std::make_unique<CNetConfigDlg>([this](QWidget*, const char* text) { shown.emplace_back(text); });
        CameraInfo& c = dlg->m_camera;
        setFieldText(c.deviceId, "CAM7");
        setFieldText(c.name, "Yard");
        parseIpv4("192.168.77.7", &c.ip);
        parseIpv4("255.255.255.0", &c.mask);
        parseIpv4("192.168.77.1", &c.gateway);
        parseIpv4("192.168.77.2", &c.dns);
        c.httpPort = toNetPort(8080);
        dlg->OnInitDialog();
    }

    void opensOnTheRecordInFixedAddressMode() {
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Yard Network Configuration"));
        QCOMPARE(dhcp()->text(), QStringLiteral("Obtain IP from DHCP server"));
        QVERIFY(!dhcp()->isChecked());
        QCOMPARE(field("IDC_IP")->text(), QStringLiteral("192.168.77.7"));
        QCOMPARE(field("IDC_MASK")->text(), QStringLiteral("255.255.255.0"));
        QCOMPARE(field("IDC_GATEWAY")->text(), QStringLiteral("192.168.77.1"));
        QCOMPARE(field("IDC_DNS")->text(), QStringLiteral("192.168.77.2"));
        QCOMPARE(field("IDC_PORT")->text(), QStringLiteral("8080"));
        QCOMPARE(field("IDC_USER")->text(), QStringLiteral("admin"));
        QVERIFY(field("IDC_PASSWORD")->text().isEmpty());
        QCOMPARE(field("IDC_PASSWORD")->echoMode(), QLineEdit::Password);
    }

    void dhcpZeroesTheFieldsAndUncheckingRestoresTheRecord() {
        type("IDC_IP", QStringLiteral("10.1.1.1"));
        type("IDC_PORT", QStringLiteral("81"));
        QTest::mouseClick(dhcp(), Qt::LeftButton, {}, QPoint(5, dhcp()->height() / 2));
        QVERIFY(dhcp()->isChecked());
        QVERIFY(!field("IDC_IP")->isEnabled() && !field("IDC_DNS")->isEnabled());
        QCOMPARE(field("IDC_IP")->text(), QStringLiteral("0.0.0.0"));
        QCOMPARE(field("IDC_PORT")->text(), QStringLiteral("81"));
        QVERIFY(field("IDC_PORT")->isEnabled());
        QTest::mouseClick(dhcp(), Qt::LeftButton, {}, QPoint(5, dhcp()->height() / 2));
        QVERIFY(field("IDC_IP")->isEnabled());
        QCOMPARE(field("IDC_IP")->text(), QStringLiteral("192.168.77.7"));
        QCOMPARE(field("IDC_PORT")->text(), QStringLiteral("8080"));
    }

    void okStoresEverythingInNetworkOrder() {
        fixedAddress("192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.1");
        type("IDC_PORT", QStringLiteral("65617"));  // 65536 + 81
        QVERIFY(pressOk());
        QVERIFY(shown.empty());
        QCOMPARE(field("IDC_PORT")->text(), QStringLiteral("81"));
        const CameraRequest& r = dlg->m_request;
        QCOMPARE(toHostPort(r.network.httpPort), uint16_t(81));
        QCOMPARE(dottedQuad(r.network.ip), std::string("192.168.1.10"));
        QCOMPARE(dottedQuad(r.network.gateway), std::string("192.168.1.1"));
        QCOMPARE(std::string(fieldText(r.credentials.user)), std::string("admin"));
        QCOMPARE(std::string(fieldText(r.credentials.password)), std::string(""));
        QCOMPARE(std::string(fieldText(r.target.deviceId)), std::string("CAM7"));
    }

    void aFailedCheckShowsOneMessageAndKeepsTheDialog() {
        type("IDC_PORT", QStringLiteral("65536"));
        QVERIFY(!pressOk());
        QCOMPARE(field("IDC_PORT")->text(), QStringLiteral("0"));
        QCOMPARE(shown, std::vector<std::string>{"The Http Port setting is illegal !"});
        shown.clear();
        type("IDC_PORT", QStringLiteral("80"));
        type("IDC_IP", QStringLiteral("224.0.0.1"));
        type("IDC_USER", QString());
        QVERIFY(!pressOk());
        QCOMPARE(shown, std::vector<std::string>{"The IP Address setting is illegal !"});
        QCOMPARE(dlg->m_request.network.ip, 0u);  // nothing stored yet
        shown.clear();
        type("IDC_IP", QStringLiteral("192.168.77.9"));
        QVERIFY(!pressOk());
        QCOMPARE(shown, std::vector<std::string>{"Incorrect user or password !"});
    }

    void credentialsAreCutToElevenBytesAndShownCut() {
        type("IDC_USER", QStringLiteral("administrator12"));
        type("IDC_PASSWORD", QString::fromUtf8("密码密码密码"));  // 12 bytes of GBK
        QVERIFY(pressOk());
        QCOMPARE(field("IDC_USER")->text(), QStringLiteral("administrat"));
        QCOMPARE(std::string(fieldText(dlg->m_request.credentials.user)), std::string("administrat"));
        QCOMPARE(field("IDC_PASSWORD")->text(), QString::fromUtf8("密码密码密"));
        QCOMPARE(fieldText(dlg->m_request.credentials.password).size(), size_t(10));
    }

    void dhcpSendsZeroAddresses() {
        QTest::mouseClick(dhcp(), Qt::LeftButton, {}, QPoint(5, dhcp()->height() / 2));
        type("IDC_PORT", QStringLiteral("80"));
        QVERIFY(pressOk());
        const NetworkPayload& c = dlg->m_request.network;
        QCOMPARE(c.ip | c.mask | c.gateway | c.dns, 0u);
        QCOMPARE(toHostPort(c.httpPort), uint16_t(80));
    }

    // The addresses are read, and so written back, only once the port passed.
    void aBadPortLeavesTheAddressFieldsAsTyped() {
        fixedAddress("192.168.1", "255.255.255.0", "192.168.1.1", "192.168.1.1");
        type("IDC_PORT", QStringLiteral("10000"));
        QVERIFY(!pressOk());
        QCOMPARE(field("IDC_IP")->text(), QStringLiteral("192.168.1"));
        QCOMPARE(shown, std::vector<std::string>{"The Http Port setting is illegal !"});
    }

    void thePortFieldAtItsEdges() {
        const struct {
            const char* typed;
            const char* shows;
            bool accepted;
        } cases[] = {{"", "0", false},         {"99999999999", "0", false}, {"2147483648", "0", false},
                     {"65535", "65535", true}, {"65617", "81", true},       {"75536", "10000", false}};
        for (const auto& c : cases) {
            init();
            type("IDC_PORT", QString::fromLatin1(c.typed));
            QCOMPARE(pressOk(), c.accepted);
            QCOMPARE(field("IDC_PORT")->text(), QString::fromLatin1(c.shows));
        }
    }

    void enterInAFieldIsOk() {
        dlg->show();
        field("IDC_PASSWORD")->setFocus();
        QTest::keyClick(field("IDC_PASSWORD"), Qt::Key_Return);
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        init();
        dlg->show();
        type("IDC_PORT", QStringLiteral("0"));
        QTest::keyClick(field("IDC_USER"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(shown, std::vector<std::string>{"The Http Port setting is illegal !"});
    }

    // A screen reader names each field by its label, in the current language.
    void everyFieldIsNamedByItsLabel() {
        const char* const fields[] = {"IDC_IP",   "IDC_MASK", "IDC_GATEWAY", "IDC_DNS",
                                      "IDC_PORT", "IDC_USER", "IDC_PASSWORD"};
        const int rows[] = {kTextIpAddress, kTextSubnetMask, kTextGateway, kTextDnsServer,
                            kTextHttpPort,  kTextUser,       kTextPassword};
        for (int language : {kEnglish, kSimplifiedChinese}) {
            SelectLanguage(language);
            init();
            SelectLanguage(language);
            dlg->OnInitDialog();
            for (size_t i = 0; i < std::size(fields); ++i) {
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(field(fields[i]));
                QVERIFY(a);
                QCOMPARE(a->text(QAccessible::Name), qtText(CurrentText(rows[i])));
            }
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(field("IDC_USER"))->text(QAccessible::Name),
                 QString::fromUtf8("用户"));
    }

    void anIncompleteAddressCountsItsEmptyPartsAsZero() {
        fixedAddress("192.168.1", "255.255.255.0", "192.168.1.1", "192.168.1.1");
        QVERIFY(!pressOk());
        QCOMPARE(field("IDC_IP")->text(), QStringLiteral("192.168.1.0"));
        QCOMPARE(shown, std::vector<std::string>{"The Subnet Mask setting is illegal !"});
    }
};

#include "net_config_dlg_test.moc"

int runNetConfigDlgTest(int argc, char** argv) {
    NetConfigDlgTest test;
    return QTest::qExec(&test, argc, argv);
}
