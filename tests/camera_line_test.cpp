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
    EXPECT_EQ(FormatCameraLine(c).substr(0, 25), pad(StringTable[kTextAnonymous][1]));
}

TEST_F(CameraLine, UnterminatedNameFillsTwentyOneBytes) {
    CameraInfo c = camera("A");
    std::memset(c.name, 'N', sizeof c.name);
    EXPECT_EQ(FormatCameraLine(c).substr(0, 26), std::string(21, 'N') + "    H");
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
