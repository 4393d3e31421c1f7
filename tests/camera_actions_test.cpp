#include "ui/camera_actions.h"

#include <gtest/gtest.h>

#include "app/string_table.h"
#include "support/camera_records.h"
#include "ui/camera_commands.h"

namespace lenscout {
namespace {

using test::camera;

TEST(CameraActions, DoubleClickFollowsTheStatusLine) {
    CameraInfo c = camera("A");
    EXPECT_EQ(actionOnDoubleClick(c), DoubleClickAction::OpenWebPage);
    c.webUiVersion = 0;
    EXPECT_EQ(actionOnDoubleClick(c), DoubleClickAction::Upgrade);
    c.sameSubnet = 0;
    EXPECT_EQ(actionOnDoubleClick(c), DoubleClickAction::NetworkConfiguration);
    c.webUiVersion = 1;
    EXPECT_EQ(actionOnDoubleClick(c), DoubleClickAction::NetworkConfiguration);
}

TEST(CameraActions, WebPageAddressNamesThePortUnlessItIs80) {
    EXPECT_EQ(webPageUrl(camera("A", "A", "192.168.77.9", 80)), "http://192.168.77.9");
    EXPECT_EQ(webPageUrl(camera("A", "A", "192.168.77.9", 8080)), "http://192.168.77.9:8080");
    EXPECT_EQ(webPageUrl(camera("A", "A", "10.0.0.1", 65535)), "http://10.0.0.1:65535");
}

TEST(CameraActions, UpgradeIsGrayedOutsideTheSubnet) {
    SelectLanguage(kEnglish);
    CameraInfo c = camera("A");
    auto entries = contextMenuEntries(c);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_STREQ(entries[0].text, "Basic Properties");
    EXPECT_STREQ(entries[1].text, "Network Configuration");
    EXPECT_STREQ(entries[2].text, "Upgrade Firmware");
    EXPECT_TRUE(entries[0].enabled && entries[1].enabled && entries[2].enabled);
    c.sameSubnet = 0;
    entries = contextMenuEntries(c);
    EXPECT_TRUE(entries[0].enabled && entries[1].enabled);
    EXPECT_FALSE(entries[2].enabled);
}

TEST(CameraActions, DialogTitlesNameTheCamera) {
    SelectLanguage(kEnglish);
    EXPECT_EQ(cameraDialogTitle(camera("A", "Yard"), 39), "Yard Basic Properties");
    EXPECT_EQ(cameraDialogTitle(camera("A", ""), 40), "Anonymous Network Configuration");
}

}  // namespace
}  // namespace lenscout
