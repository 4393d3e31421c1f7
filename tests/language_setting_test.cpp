#include "app/language_setting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/languages.h"
#include "app/system_language.h"
#include "app/tray_menu.h"

namespace lenscout {
namespace {

class SettingsFile : public testing::Test {
protected:
    void SetUp() override {
        path_ =
            testing::TempDir() + "lenscout-" + testing::UnitTest::GetInstance()->current_test_info()->name() + ".cfg";
    }
    void TearDown() override { std::remove(path_.c_str()); }
    int readFrom(const std::string& content) {
        std::ofstream(path_, std::ios::binary) << content;
        LanguageSetting = 9;
        ReadLanguageSetting(path_.c_str());
        return LanguageSetting;
    }
    std::string path_;
};

TEST_F(SettingsFile, ReadsTheNumberAfterLang) {
    const std::pair<const char*, int> files[] = {{"lang=3", 3},   {"lang=0", 0},   {"lang=2\nlang=3\ncolour=blue\n", 2},
                                                 {"lang= +1", 1}, {"lang=3rd", 3}, {"lang=4", 4}};
    for (const auto& [content, setting] : files) EXPECT_EQ(readFrom(content), setting) << content;
}

TEST_F(SettingsFile, AnythingUnusableGivesAutomatic) {
    for (const char* bad : {"", " lang=2", "language=2", "LANG=2", "lang=", "lang=x", "lang=-1", "lang=5",
                            "lang=99999999999", "lang=4294967297", "lang=-4294967295"}) {
        EXPECT_EQ(readFrom(bad), 0) << '"' << bad << '"';
    }
    std::remove(path_.c_str());
    LanguageSetting = 2;
    ReadLanguageSetting(path_.c_str());
    EXPECT_EQ(LanguageSetting, 0);
}

TEST_F(SettingsFile, BinaryHugeAndDirectoriesGiveAutomatic) {
    EXPECT_EQ(readFrom(std::string("\0lang=2\xff\xfe", 9)), 0);
    EXPECT_EQ(readFrom(std::string(8 * 1024 * 1024, 'x')), 0);
    EXPECT_EQ(readFrom("lang=3" + std::string(8 * 1024 * 1024, '\n')), 3) << "only the start counts";
    EXPECT_EQ(readFrom("lang=" + std::string(1000, ' ') + "\n\t2"), 2) << "blanks before the number, however many";
    LanguageSetting = 2;
    ReadLanguageSetting(testing::TempDir().c_str());
    EXPECT_EQ(LanguageSetting, 0);
}

TEST_F(SettingsFile, WritesSixBytesWithoutALineEnd) {
    LanguageSetting = 1;
    WriteLanguageSetting(path_.c_str());
    std::ifstream in(path_, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), "lang=1");
}

TEST_F(SettingsFile, AFailedWriteKeepsTheChoice) {
    LanguageSetting = 3;
    std::ofstream(path_) << "a file, where a folder would have to be";
    WriteLanguageSetting(path_ + "/lenscout.cfg");
    EXPECT_EQ(LanguageSetting, 3);
}

// The search period shares the file with the language: each keeps the
// other's line, and a period that is not one of the menu's choices gives
// the default rather than a period no menu can show.
TEST_F(SettingsFile, TheSearchPeriodIsOneOfItsChoicesBesideTheLanguage) {
    const Setting& period = searchPeriodSetting();
    for (const auto& [content, seconds] : std::vector<std::pair<const char*, int>>{{"", 3},
                                                                                   {"search_period=1", 1},
                                                                                   {"search_period=10\nlang=2", 10},
                                                                                   {"search_period=2", 3},
                                                                                   {"search_period=0", 3},
                                                                                   {"search_period=-1", 3},
                                                                                   {"search_period=11", 3},
                                                                                   {"search_period=x", 3}}) {
        std::ofstream(path_, std::ios::binary) << content;
        EXPECT_EQ(readSetting(period, path_), seconds) << content;
    }
    std::ofstream(path_, std::ios::binary) << "lang=2\nwindow=10,20";
    ASSERT_TRUE(writeSetting(period, 10, path_));
    EXPECT_EQ(readSetting(period, path_), 10);
    LanguageSetting = 0;
    ReadLanguageSetting(path_);
    EXPECT_EQ(LanguageSetting, 2);
    LanguageSetting = 3;
    WriteLanguageSetting(path_);
    EXPECT_EQ(readSetting(period, path_), 10);
    std::ifstream in(path_, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), "search_period=10\nlang=3\nwindow=10,20");
    EXPECT_FALSE(writeSetting(period, 1, path_ + "/lenscout.cfg")) << "a failed write says so";
}

// Each setting's default is one of the values it allows, and its key is its own.
TEST(Settings, EachKeyIsUniqueAndItsDefaultAllowed) {
    std::vector<std::string> keys;
    for (const Setting* s : allSettings()) {
        EXPECT_TRUE(s->allows(s->fallback)) << s->key;
        for (const SettingChoice& c : s->choices) EXPECT_TRUE(s->allows(c.value)) << s->key;
        EXPECT_EQ(std::count(keys.begin(), keys.end(), s->key), 0) << s->key;
        keys.push_back(s->key);
    }
}

// Each choice of each menu setting has a tray command of its own, which the
// menu marks when the setting holds it and which sets that setting to that
// value; a command past a setting's last choice sets nothing.
TEST(Settings, EachChoiceIsATrayCommandThatSetsIt) {
    std::vector<int> commands;
    for (const Setting* s : choiceSettings()) {
        ASSERT_LE(s->choices.size(), static_cast<size_t>(kTrayChoicesPerSetting)) << s->key;
        for (size_t c = 0; c < s->choices.size(); ++c) {
            const int command = trayChoiceCommand(*s, c);
            EXPECT_EQ(std::count(commands.begin(), commands.end(), command), 0) << s->key;
            commands.push_back(command);
            SettingValues values;
            values.set(*s, s->choices[c].value);
            const std::vector<TrayMenuEntry> menu = BuildTrayMenu(values);
            const auto entry = std::find_if(menu.begin(), menu.end(), [&](auto& e) { return e.command == command; });
            ASSERT_NE(entry, menu.end()) << s->key;
            EXPECT_TRUE(entry->checked) << s->key;
            const TrayCommandResult r = OnTrayMenuCommand(command);
            EXPECT_EQ(r.setting, s);
            EXPECT_EQ(r.value, s->choices[c].value);
            EXPECT_EQ(readSetting(*s), s->choices[c].value) << "the file keeps it";
        }
        EXPECT_EQ(trayChoiceCommand(*s, s->choices.size()), 0);
        EXPECT_EQ(OnTrayMenuCommand(commands.back() + 1).setting, nullptr);
    }
}

// The command line's help and the settings file's default read as one text.
TEST(Settings, TheOptionHelpNamesTheChoicesAndTheDefault) {
    EXPECT_EQ(optionHelp(searchPeriodSetting(), 10),
              "seconds between searches: 1, 3 or 10 (10, the desktops' setting)");
    ASSERT_EQ(optionSettings().size(), 1u);
    EXPECT_STREQ(optionSettings()[0]->option, "--period");
}

TEST(SystemLanguage, IdentifiersOfTheFiveChineseRegionsAndGermanOnly) {
    EXPECT_EQ(LanguageFromLangId(2052), 2);
    for (int traditional : {1028, 3076, 4100, 5124})
        EXPECT_EQ(LanguageFromLangId(static_cast<uint16_t>(traditional)), 3);
    // Germany, Switzerland, Austria, Luxembourg and Liechtenstein.
    for (int german : {0x0407, 0x0807, 0x0c07, 0x1007, 0x1407})
        EXPECT_EQ(LanguageFromLangId(static_cast<uint16_t>(german)), kGerman);
    for (int other : {1033, 0x0004, 0x7c04, 0x0809, 0x040c, 0x0007, 0})
        EXPECT_EQ(LanguageFromLangId(static_cast<uint16_t>(other)), 1);
}

TEST(SystemLanguage, LocaleNamesMapToIdentifiers) {
    const std::pair<const char*, uint16_t> locales[] = {{"zh_CN.UTF-8", 0x0804},
                                                        {"zh_TW", 0x0404},
                                                        {"zh_HK.GB18030", 0x0c04},
                                                        {"zh_SG", 0x1004},
                                                        {"zh_MO@stroke", 0x1404}};
    for (const auto& [locale, id] : locales) EXPECT_EQ(LangIdFromLocale(locale), id) << locale;
    EXPECT_EQ(LanguageFromLangId(LangIdFromLocale("zh_XX.UTF-8")), 1);
    EXPECT_EQ(LanguageFromLangId(LangIdFromLocale("zh_CNX")), 1);
    EXPECT_EQ(LangIdFromLocale("C"), 0x0409);
    // German in any region; a language that merely begins so is not.
    for (const char* german : {"de", "de_DE.UTF-8", "de_AT", "de_CH@euro", "de.UTF-8"})
        EXPECT_EQ(LanguageFromLangId(LangIdFromLocale(german)), kGerman) << german;
    for (const char* other : {"dev_DE", "fr_FR.UTF-8", "en_DE"}) EXPECT_EQ(LangIdFromLocale(other), 0x0409) << other;
}

}  // namespace
}  // namespace lenscout
