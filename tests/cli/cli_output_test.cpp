// What lenscout-cli prints and reads, apart from any network.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "app/string_table.h"
#include "cli/credentials.h"
#include "cli/progress_view.h"
#include "cli/upload_report.h"
#include "discovery/camera_text.h"
#include "site/camera_json.h"
#include "site/inventory_format.h"
#include "site/journal.h"
#include "site/plan_csv.h"
#include "site/scan_format.h"
#include "support/environment.h"
#include "support/message_bytes.h"

namespace lenscout {
namespace {

TEST(CliOutput, AmountsAndRates) {
    EXPECT_EQ(byteAmount(0), "0 B");
    EXPECT_EQ(byteAmount(1023), "1023 B");
    EXPECT_EQ(byteAmount(1536), "1.5 KiB");
    EXPECT_EQ(byteAmount(64ll << 20), "64.0 MiB");
    EXPECT_EQ(byteAmount(3ll << 30), "3.0 GiB");
    EXPECT_EQ(byteRate(10 << 20, 1000, 3000), "5.0 MiB/s");
    // Across the 32-bit wrap of the tick clock.
    EXPECT_EQ(byteRate(1 << 20, 0xfffffe0cu, 500), "1.0 MiB/s");
    EXPECT_EQ(byteRate(1, 7, 7), "-");
}

UploadProgress row(const char* id, UploadState state, UploadFailure failure = UploadFailure::None) {
    UploadProgress p;
    p.id = id;
    p.state = state;
    p.camera.ip = test::ip("10.1.2.3");
    p.failure = failure;
    p.startedAt = 0xffffff00u;  // the clock wraps during the upload
    p.endedAt = 1244;
    p.sent = p.size = 2048;
    p.percent = 100;
    return p;
}

TEST(CliOutput, TheTableGivesEachOutcomeInTheSystemsWords) {
    SelectLanguage(kEnglish);
    const std::string table =
        uploadTable({row("CAM-1", UploadState::Done), row("CAM-2", UploadState::Failed, UploadFailure::CameraBusy),
                     row("CAM-3", UploadState::NotFound)});
    EXPECT_EQ(table,
              "CAMERA    ADDRESS          TIME      OUTCOME\n"
              "CAM-1     10.1.2.3         1.5 s     uploaded\n"
              "CAM-2     10.1.2.3         1.5 s     The camera is busy now !\n"
              "CAM-3     -                -         not found\n");
}

// Scripts read the outcome and the reason, which are the same in every
// language; the message is the user's, in UTF-8 whatever the terminal's
// encoding. Each row names the image every camera got.
TEST(CliOutput, JsonCarriesOutcomesReasonsImageAndVersions) {
    SelectLanguage(kSimplifiedChinese);
    CameraInfo after{};
    after.firmwareVersion = test::ip("1.2.3.5");
    after.webUiVersion = test::ip("2.0.0.1");
    const ImageSummary image{"fw.bin", 2048, std::string(64, 'e')};
    const std::string json =
        uploadJson({row("CAM\"1", UploadState::Done), row("CAM-2", UploadState::Failed, UploadFailure::NoReply),
                    row("CAM-3", UploadState::NotFound), row("CAM-4", UploadState::Interrupted),
                    row("CAM-5", UploadState::Failed, UploadFailure::NotConfirmed)},
                   {&after, nullptr, nullptr, nullptr, nullptr}, image);
    SelectLanguage(kEnglish);
    const std::string img = ",\"image\":{\"bytes\":2048,\"sha256\":\"" + std::string(64, 'e') + "\"}";
    EXPECT_EQ(json, "[{\"id\":\"CAM\\\"1\",\"outcome\":\"uploaded\",\"ip\":\"10.1.2.3\",\"bytes\":2048,\"ms\":1500" +
                        img +
                        ",\"firmware\":\"1.2.3.5\",\"webui\":\"2.0.0.1\"},"
                        "{\"id\":\"CAM-2\",\"outcome\":\"failed\",\"ip\":\"10.1.2.3\",\"reason\":\"no-reply\","
                        "\"message\":\"通讯超时 !\",\"bytes\":2048,\"ms\":1500" +
                        img +
                        "},"
                        "{\"id\":\"CAM-3\",\"outcome\":\"not-found\"" +
                        img +
                        "},"
                        "{\"id\":\"CAM-4\",\"outcome\":\"interrupted\",\"ip\":\"10.1.2.3\"" +
                        img +
                        "},"
                        "{\"id\":\"CAM-5\",\"outcome\":\"failed\",\"ip\":\"10.1.2.3\",\"reason\":\"not-confirmed\","
                        "\"message\":\"摄像机没有确认升级 !\",\"bytes\":2048,\"ms\":1500" +
                        img + "}]");
    EXPECT_EQ(imageLine(image), "image fw.bin: 2048 bytes, SHA-256 " + std::string(64, 'e') + "\n");
}

// CSV as RFC 4180 has it: a field with a comma, a quote or a line end is
// quoted and its quotes doubled; GBK names come out as UTF-8.
TEST(CliOutput, InventoryRowsInCsvAndJson) {
    CameraInfo c{};
    setFieldText(c.deviceId, "CAM-1");
    setFieldText(c.name, "A,\"b\"\xc7\xb0");
    c.ip = test::ip("10.1.2.3");
    c.mask = test::ip("255.255.255.0");
    c.httpPort = toNetPort(8080);
    c.firmwareVersion = test::ip("1.2.3.4");
    c.arrivalIndex = 7;
    c.arrivalLocal = test::ip("10.1.2.1");
    c.sender = test::ip("10.1.2.9");
    c.conflict = 1;
    c.conflictSender = test::ip("10.1.2.3");
    c.conflictIp = test::ip("10.1.2.3");
    CameraInfo unknown{};
    setFieldText(unknown.deviceId, "CAM-2");
    unknown.sameSubnet = 1;
    const auto names = [](uint32_t index) { return index == 7 ? std::string("eth1") : std::string("?"); };
    EXPECT_EQ(inventoryCsv({c, unknown}, names),
              "id,name,ip,mask,gateway,dns,http_port,firmware,webui,same_subnet,interface,local_address,sender,"
              "conflict,conflict_sender,conflict_ip\r\n"
              "CAM-1,\"A,\"\"b\"\"前\",10.1.2.3,255.255.255.0,0.0.0.0,0.0.0.0,8080,1.2.3.4,0.0.0.0,no,eth1,10.1.2.1,"
              "10.1.2.9,yes,10.1.2.3,10.1.2.3\r\n"
              "CAM-2,,0.0.0.0,0.0.0.0,0.0.0.0,0.0.0.0,0,0.0.0.0,0.0.0.0,yes,,,,no,,\r\n");
    EXPECT_EQ(inventoryJson({unknown}, names),
              "[{\"id\":\"CAM-2\",\"name\":\"\",\"ip\":\"0.0.0.0\",\"mask\":\"0.0.0.0\",\"gateway\":\"0.0.0.0\","
              "\"dns\":\"0.0.0.0\",\"http_port\":0,\"firmware\":\"0.0.0.0\",\"webui\":\"0.0.0.0\",\"same_subnet\":true,"
              "\"interface\":\"\",\"local_address\":\"\",\"sender\":\"\",\"conflict\":false,"
              "\"conflict_sender\":\"\",\"conflict_ip\":\"\"}]");
    EXPECT_EQ(csvField("line\nend"), "\"line\nend\"");
    // A comma alone is reason enough to quote.
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    // On a terminal a camera's control bytes are shown, not obeyed.
    setFieldText(unknown.name, "\x1b]2;x\x07");
    EXPECT_NE(inventoryCsv({unknown}, names, true).find("CAM-2,\\x1b]2;x\\x07,"), std::string::npos);
    EXPECT_NE(inventoryCsv({unknown}, names, false).find("CAM-2,\x1b]2;x\x07,"), std::string::npos);
}

// The attempt line and the outcome line of one change carry the run; the
// settings a camera showed say that its DHCP mode is not known.
// scan's text line keeps its older keys and 1/0; its JSON has the one
// camera shape of every command.
TEST(CliOutput, ScanLinesAsTextAndAsJson) {
    CameraInfo c{};
    setFieldText(c.deviceId, "S1");
    setFieldText(c.name, "a \"b\"");
    c.ip = c.sender = test::ip("10.0.0.5");
    c.httpPort = toNetPort(80);
    c.sameSubnet = 1;
    EXPECT_EQ(
        foundCameraLine(c, false),
        "event=camera id=\"S1\" name=\"a \\\"b\\\"\" ip=10.0.0.5 mask=0.0.0.0 gateway=0.0.0.0 dns=0.0.0.0 port=80 "
        "firmware=0.0.0.0 webui=0.0.0.0 same_subnet=1 sender=10.0.0.5 conflict=0 conflict_sender= conflict_ip=");
    EXPECT_EQ(
        foundCameraLine(c, true),
        "{\"event\":\"camera\",\"id\":\"S1\",\"name\":\"a \\\"b\\\"\",\"ip\":\"10.0.0.5\",\"mask\":\"0.0.0.0\","
        "\"gateway\":\"0.0.0.0\",\"dns\":\"0.0.0.0\",\"http_port\":80,\"firmware\":\"0.0.0.0\",\"webui\":\"0.0.0.0\","
        "\"same_subnet\":true,\"sender\":\"10.0.0.5\",\"conflict\":false,\"conflict_sender\":\"\",\"conflict_ip\":"
        "\"\"}");
    EXPECT_EQ(errorLine(-3, false), "event=error code=-3");
    EXPECT_EQ(tickLine(42, true), "{\"event\":\"tick\",\"at_ms\":42}");
}

TEST(CliOutput, JournalLines) {
    CameraInfo shown{};
    shown.ip = test::ip("10.1.2.3");
    shown.mask = test::ip("255.255.255.0");
    shown.httpPort = toNetPort(80);
    const JournalEntry e{"CAM\"1", test::ip("10.1.2.3"), settingsObject(shown, DhcpMode::Unknown),
                         settingsObject(shown, DhcpMode::On)};
    const std::string settings =
        "\"ip\":\"10.1.2.3\",\"mask\":\"255.255.255.0\",\"gateway\":\"0.0.0.0\",\"dns\":\"0.0.0.0\",\"http_port\":80}";
    const std::string common = "\"run\":\"R1\",\"command\":\"set-network\",";
    EXPECT_EQ(journalLine("R1", "set-network", "attempt", e, nullptr, 1765283400),
              "{\"time\":\"2025-12-09T12:30:00Z\"," + common +
                  "\"event\":\"attempt\",\"id\":\"CAM\\\"1\",\"ip\":\"10.1.2.3\",\"old\":{\"dhcp\":\"unknown\"," +
                  settings + ",\"planned\":{\"dhcp\":true," + settings + "}\n");
    EXPECT_EQ(journalLine("R1", "set-network", "outcome", e, "confirmed", 1765283400),
              "{\"time\":\"2025-12-09T12:30:00Z\"," + common +
                  "\"event\":\"outcome\",\"id\":\"CAM\\\"1\",\"ip\":\"10.1.2.3\",\"old\":{\"dhcp\":\"unknown\"," +
                  settings + ",\"planned\":{\"dhcp\":true," + settings + ",\"outcome\":\"confirmed\"}\n");
}

// A plan is RFC 4180 CSV: quoted fields keep commas, doubled quotes and
// line ends, and each row knows the line it starts on.
TEST(Plan, RowsByTheirColumnNamesWithLineNumbers) {
    std::vector<PlanRow> rows;
    std::vector<std::string> errors;
    ASSERT_TRUE(
        readPlan("name,ip,id,http_port,dhcp,firmware\r\n"
                 "\"a, \"\"b\"\"\nc\",10.0.0.5,CAM-1,8080,no,1.2.3.4\r\n"
                 "x,,CAM-2,,YES,\n",
                 &rows, &errors))
        << errors[0];
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].line, 2);
    EXPECT_EQ(rows[0].id, "CAM-1");
    EXPECT_EQ(rows[0].ip.value_or("-"), "10.0.0.5");
    EXPECT_EQ(rows[0].port.value_or("-"), "8080");
    EXPECT_FALSE(rows[0].dhcp);
    EXPECT_FALSE(rows[0].mask.has_value());
    EXPECT_EQ(rows[1].line, 4) << "the quoted line end counts";
    EXPECT_FALSE(rows[1].ip.has_value()) << "a blank cell keeps the current value";
    EXPECT_TRUE(rows[1].dhcp);
}

// Whatever a camera calls itself, a spreadsheet that opens the inventory
// shows it as text and runs nothing; a plan made from that inventory reads
// the name back as the camera has it.
TEST(CliOutput, CellsThatASpreadsheetWouldRun) {
    for (const std::string name : {"=HYPERLINK(1)", "+1", "-2+3", "@SUM(A1)", "\tx", "\rx"}) {
        const std::string cell = csvField(name);
        EXPECT_EQ(cell.substr(0, 2), "\"'") << name;
        EXPECT_EQ(planCellText(cell.substr(1, cell.size() - 2)), name);
    }
    EXPECT_EQ(csvField("a-b"), "a-b");
    EXPECT_EQ(planCellText("'plain"), "'plain") << "a quote before anything else is the camera's own";
    // What a terminal was shown of a control byte, typed into a plan.
    EXPECT_EQ(planCellText("CAM\\x1b1"),
              "CAM\x1b"
              "1");
    EXPECT_EQ(planCellText("C:\\xy"), "C:\\xy");
}

// What spreadsheets save: a byte-order mark, CRLF, the list separator of
// the locale, header names in capitals and empty rows below the table.
TEST(Plan, WhatSpreadsheetsWrite) {
    for (const char* text : {"\xEF\xBB\xBFID;IP;Http_Port\r\nCAM-1;10.0.0.5;8080\r\n;;\r\n;;\r\n",
                             "id\tip\thttp_port\nCAM-1\t10.0.0.5\t8080\n\n",
                             "\"id\",\"ip\",\"http_port\"\r\n\"CAM-1\",\"10.0.0.5\",\"8080\"\r\n,,\r\n"}) {
        std::vector<PlanRow> rows;
        std::vector<std::string> errors;
        ASSERT_TRUE(readPlan(text, &rows, &errors)) << text << ": " << errors[0];
        ASSERT_EQ(rows.size(), 1u) << text;
        EXPECT_EQ(rows[0].id, "CAM-1");
        EXPECT_EQ(rows[0].ip.value_or("-"), "10.0.0.5");
        EXPECT_EQ(rows[0].port.value_or("-"), "8080");
    }
    // A semicolon inside a comma-separated plan is only text.
    std::vector<PlanRow> rows;
    std::vector<std::string> errors;
    ASSERT_TRUE(readPlan("id,name\nCAM;1,a;b\n", &rows, &errors));
    EXPECT_EQ(rows[0].id, "CAM;1");
}

// A misspelt column would otherwise keep every value and report every
// camera unchanged.
TEST(Plan, UnknownAndRepeatedColumnsAreRefusedByName) {
    std::vector<PlanRow> rows;
    std::vector<std::string> errors;
    EXPECT_FALSE(readPlan("id,new_ip\nCAM-1,10.0.0.5\n", &rows, &errors));
    EXPECT_EQ(errors, std::vector<std::string>{"line 1: unknown column \"new_ip\" (the columns are those of "
                                               "inventory, and dhcp; a column of notes starts with #)"});
    errors.clear();
    // A column of notes is the technician's, and no column of the plan.
    ASSERT_TRUE(readPlan("id,# where,ip,#\nCAM-1,\"pole 3, north\",10.0.0.5,x\n", &rows, &errors)) << errors[0];
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].ip, std::optional<std::string>("10.0.0.5"));
    rows.clear();
    EXPECT_FALSE(readPlan("id,ip,IP\nCAM-1,10.0.0.5,10.0.0.6\n", &rows, &errors));
    EXPECT_EQ(errors, std::vector<std::string>{"line 1: the column ip is there twice"});
}

TEST(Plan, FaultsAreNamedByLine) {
    std::vector<PlanRow> rows;
    std::vector<std::string> errors;
    EXPECT_FALSE(readPlan("id,dhcp\nCAM-1,maybe\nCAM-1,no\n,no\n", &rows, &errors));
    EXPECT_EQ(errors, (std::vector<std::string>{"line 2: dhcp is yes or no, not maybe",
                                                "line 3: CAM-1 is planned already on line 2", "line 4: no camera ID"}));
    errors.clear();
    EXPECT_FALSE(readPlan("ip\n10.0.0.1\n", &rows, &errors));
    EXPECT_EQ(errors, std::vector<std::string>{"line 1: the header has no id column"});
    errors.clear();
    EXPECT_FALSE(readPlan("id\n\"open\n", &rows, &errors));
    EXPECT_EQ(errors, std::vector<std::string>{"line 2: a quote is not closed"});
}

TEST(CliOutput, ProgressLines) {
    SelectLanguage(kEnglish);
    UploadProgress p = row("CAM-1", UploadState::Sending);
    p.sendingAt = 1000;
    p.sent = 3 << 20;
    p.size = 6 << 20;
    p.percent = 50;
    EXPECT_EQ(progressLine(p, 4000), "CAM-1   50%  3.0 MiB of 6.0 MiB  1.0 MiB/s");
    EXPECT_EQ(progressLine(row("CAM-2", UploadState::Failed, UploadFailure::ConnectionClosed), 0),
              "CAM-2  Refused by the camera !");
}

std::string viewed(ProgressForm form, const std::vector<std::vector<UploadProgress>>& steps) {
    std::FILE* out = std::tmpfile();
    ProgressView view(out, form);
    for (const auto& step : steps) view.show(step);
    std::rewind(out);
    std::string text;
    for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
    std::fclose(out);
    return text;
}

// With 200 cameras a terminal shows a summary, and only the cameras at work
// and those that failed: nothing scrolls away.
TEST(CliOutput, TheLiveViewShowsTheSummaryAndOnlyActiveAndFailedRows) {
    SelectLanguage(kEnglish);
    std::vector<UploadProgress> rows;
    for (int i = 0; i < 200; ++i) rows.push_back(row(("CAM-" + std::to_string(i)).c_str(), UploadState::Done));
    rows[7] = row("CAM-7", UploadState::Sending);
    rows[7].sent = 1024;
    rows[9] = row("CAM-9", UploadState::Failed, UploadFailure::CameraBusy);
    rows[11].state = UploadState::Waiting;
    const std::string text = viewed(ProgressForm::Live, {rows});
    size_t lines = 0;
    for (char c : text) lines += c == '\n';
    EXPECT_EQ(lines, 3u) << text;
    EXPECT_NE(text.find("200 cameras: 197 uploaded, 1 failed, 1 running, 1 waiting; "), std::string::npos) << text;
    EXPECT_NE(text.find("CAM-7 "), std::string::npos) << text;
    EXPECT_NE(text.find("CAM-9  The camera is busy now !"), std::string::npos) << text;
    EXPECT_EQ(text.find("CAM-8 "), std::string::npos) << text;
}

// For a program: a camera's start, its bytes, and its end, each once.
TEST(CliOutput, JsonProgressEvents) {
    UploadProgress p = row("CAM-1", UploadState::Waiting);
    UploadProgress sending = p, failed = row("CAM-1", UploadState::Failed, UploadFailure::NoReply);
    sending.state = UploadState::Sending;
    sending.sent = 100;
    EXPECT_EQ(viewed(ProgressForm::JsonLines, {{p}, {sending}, {sending}, {failed}, {failed}}),
              "{\"event\":\"started\",\"id\":\"CAM-1\"}\n"
              "{\"event\":\"progress\",\"id\":\"CAM-1\",\"bytes\":100,\"size\":2048}\n"
              "{\"event\":\"ended\",\"id\":\"CAM-1\",\"outcome\":\"failed\",\"reason\":\"no-reply\"}\n");
}

class PasswordSources : public testing::Test {
protected:
    void TearDown() override { test::clearEnvironment("LENSCOUT_PASSWORD"); }
    std::string file(const std::string& text) {
        const std::string path = testing::TempDir() + "password-" +
                                 testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                                 std::to_string(++serial_);
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    int serial_ = 0;
};

TEST_F(PasswordSources, TheFileWinsOverTheEnvironmentAndGivesItsFirstLine) {
    test::setEnvironment("LENSCOUT_PASSWORD", "from-env");
    CredentialOptions o;
    std::string password, error;
    ASSERT_TRUE(readPassword(o, &password, &error));
    EXPECT_EQ(password, "from-env");
    o.passwordFile = file("first line\r\nsecond\n");
    ASSERT_TRUE(readPassword(o, &password, &error));
    EXPECT_EQ(password, "first line");
    o.passwordFile = file("no line end");
    ASSERT_TRUE(readPassword(o, &password, &error));
    EXPECT_EQ(password, "no line end");
    o.passwordFile = file("");
    ASSERT_TRUE(readPassword(o, &password, &error));
    EXPECT_EQ(password, "");
    o.passwordFile = testing::TempDir() + "no-such-file";
    EXPECT_FALSE(readPassword(o, &password, &error));
    EXPECT_NE(error.find("no-such-file"), std::string::npos);
}

TEST(Credentials, CutAsTheDialogsCutThem) {
    Credentials c{};
    EXPECT_FALSE(storeUser("", &c));
    ASSERT_TRUE(storeUser("administrator", &c));
    EXPECT_EQ(fieldText(c.user), "administrat");
    // Five two-byte characters fit in 11 bytes, and the sixth is not halved.
    std::string typed = "\xe5\xaf\x86\xe7\xa0\x81\xe5\xaf\x86\xe7\xa0\x81\xe5\xaf\x86\xe7\xa0\x81";
    storePassword(typed, &c);
    EXPECT_EQ(fieldText(c.password), "\xc3\xdc\xc2\xeb\xc3\xdc\xc2\xeb\xc3\xdc");
    EXPECT_TRUE(typed.empty()) << "the typed password is wiped once stored";
}

}  // namespace
}  // namespace lenscout
