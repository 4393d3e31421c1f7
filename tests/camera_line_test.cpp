#include "ui/camera_line.h"

#include <gtest/gtest.h>

#include "app/string_table.h"
#include "support/camera_records.h"

namespace lenscout {
namespace {

using test::camera;

std::string pad(const std::string& name) { return name + std::string(25 - name.size(), ' '); }

class CameraLine : public testing::Test {
protected:
    void SetUp() override { SelectLanguage(kEnglish); }
};

TEST_F(CameraLine, StatusesInTheirOrder) {
    CameraInfo c = camera("A", "Door");
    EXPECT_EQ(FormatCameraLine(c), pad("Door") + "Http://192.168.77.5");
    c.httpPort = toNetPort(8080);
    EXPECT_EQ(FormatCameraLine(c), pad("Door") + "Http://192.168.77.5:8080");
    c.httpPort = toNetPort(65535);
    EXPECT_EQ(FormatCameraLine(c), pad("Door") + "Http://192.168.77.5:65535");
    c.webUiVersion = 0;
    EXPECT_EQ(FormatCameraLine(c), pad("Door") + "Web UI doest not exist, dbclick to upgrade !");
    c.webUiVersion = 1;
    c.httpPort = toNetPort(80);
    c.sameSubnet = 0;
    EXPECT_EQ(FormatCameraLine(c), pad("Door") + "Subnet doesn't match, dbclick to change !");
    c.webUiVersion = 0;
    EXPECT_EQ(FormatCameraLine(c), pad("Door") + "Subnet doesn't match, dbclick to change !");
}

TEST_F(CameraLine, EmptyNameIsAnonymousInTheCurrentLanguage) {
    CameraInfo c = camera("A", "");
    c.name[1] = 'x';  // only the first byte decides
    EXPECT_EQ(FormatCameraLine(c), pad("Anonymous") + "Http://192.168.77.5");
    SelectLanguage(kSimplifiedChinese);
    // 佚名 in UTF-8 takes four columns, as its two characters did in GBK.
    EXPECT_EQ(FormatCameraLine(c).substr(0, 27), "\xe4\xbd\x9a\xe5\x90\x8d" + std::string(21, ' '));
}

TEST_F(CameraLine, UnterminatedNameFillsTwentyOneBytes) {
    CameraInfo c = camera("A");
    std::memset(c.name, 'N', sizeof c.name);
    EXPECT_EQ(FormatCameraLine(c).substr(0, 26), std::string(21, 'N') + "    H");
}

// The camera's GBK name shows as UTF-8, as wide as its bytes were: 前门 is
// C7B0 C3C5 in GBK and E5898D E997A8 in UTF-8.
TEST_F(CameraLine, ACamerasGbkNameShowsInUtf8AtItsWidth) {
    EXPECT_EQ(FormatCameraLine(camera("A", "\xc7\xb0\xc3\xc5")).substr(0, 28),
              "\xe5\x89\x8d\xe9\x97\xa8" + std::string(21, ' ') + "H");
    // A full name of 20 bytes, its last character wide: five blanks.
    const std::string full = FormatCameraLine(camera("A", std::string(18, 'a') + "\xc7\xb0"));
    EXPECT_EQ(full.substr(0, 27), std::string(18, 'a') + "\xe5\x89\x8d" + "     H");
}

TEST(Utf8Fit, NeverCutsACharacterAndCountsWideOnesTwice) {
    const std::string text = "ab\xe5\x89\x8d\xc3\xa4";  // ab前ä
    EXPECT_EQ(utf8Fit(text, 100), text.size());
    EXPECT_EQ(utf8Fit(text, 4), 2u);
    EXPECT_EQ(utf8Fit(text, 5), 5u);
    EXPECT_EQ(utf8Fit(text, 6), 5u);
    EXPECT_EQ(textColumns(text), 5u);
    EXPECT_EQ(textColumns("Stra\xc3\x9f"
                          "e"),
              6u);  // Straße
    EXPECT_EQ(textColumns(""), 0u);
}

TEST(GbkFit, NeverCutsATwoByteCharacter) {
    const std::string text = std::string(24, 'a') + "\xc9\xe3" + "b";
    EXPECT_EQ(gbkFit(text, 25), 24u);
    EXPECT_EQ(gbkFit(text, 26), 26u);
    // A trail byte may lie in the ASCII range; it still belongs to its lead.
    EXPECT_EQ(gbkFit("\xf3w\xd6\xd0", 3), 2u);
    EXPECT_EQ(gbkFit("ab\x81", 3), 3u);  // a lone lead byte at the end counts as one
    EXPECT_EQ(gbkFit("", 25), 0u);
}

// GBK's lead bytes run from 0x81 to 0xFE; 0x80 and 0xFF stand alone. A
// character across the edge of the name column (25), the status (100) or a
// credential (11) stays out whole.
TEST(GbkFit, TheLeadByteRangeAtEveryEdge) {
    for (const size_t edge : {size_t{25}, size_t{100}, size_t{11}}) {
        const std::string before(edge - 1, 'a');
        EXPECT_EQ(gbkFit(before + "\x81\x40", edge), edge - 1) << edge;
        EXPECT_EQ(gbkFit(before + "\xfe\xfe", edge), edge - 1) << edge;
        EXPECT_EQ(gbkFit(before + "\x80\x40", edge), edge) << edge;
        EXPECT_EQ(gbkFit(before + "\xff\x40", edge), edge) << edge;
    }
}

}  // namespace
}  // namespace lenscout
