#include "app/settings_store.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/language_setting.h"

namespace lenscout {
namespace {

TEST(SettingsStore, KeysByLineAndTheFirstOfTwoCounts) {
    const SettingsStore s = SettingsStore::parse("colour=blue\r\nlang=2\nlang=3\nnoise\n=x\n");
    EXPECT_EQ(s.get("colour"), "blue");
    EXPECT_EQ(s.get("lang"), "2");
    EXPECT_EQ(s.get("noise"), std::nullopt);
    EXPECT_EQ(s.get(""), std::nullopt);
    EXPECT_EQ(s.get("Lang"), std::nullopt);
}

TEST(SettingsStore, SettingAKeyKeepsEveryOtherLine) {
    SettingsStore s = SettingsStore::parse("colour=blue\nlang=2\n# a note\nwidth=3");
    s.set("lang", "1");
    EXPECT_EQ(s.text(), "colour=blue\nlang=1\n# a note\nwidth=3");
    s.set("height", "4");
    EXPECT_EQ(s.text(), "height=4\ncolour=blue\nlang=1\n# a note\nwidth=3");
    SettingsStore empty = SettingsStore::parse("");
    empty.set("lang", "0");
    EXPECT_EQ(empty.text(), "lang=0");
}

TEST(SettingsStore, TheLanguageWriteKeepsALaterKey) {
    const std::string path = testing::TempDir() + "lenscout-store.cfg";
    std::ofstream(path, std::ios::binary) << "lang=3\nwindow=left\n";
    LanguageSetting = 1;
    WriteLanguageSetting(path.c_str());
    std::stringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(content.str(), "lang=1\nwindow=left\n");
    LanguageSetting = 0;
    ReadLanguageSetting(path.c_str());
    EXPECT_EQ(LanguageSetting, 1);
    std::remove(path.c_str());
}

TEST(SettingsStore, ALanguageOnALaterLineIsFound) { EXPECT_EQ(parseLanguageSetting("window=left\nlang=2", 19), 2); }

}  // namespace
}  // namespace lenscout
