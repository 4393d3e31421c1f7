#include "app/string_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/languages.h"
#include "app/string_texts.h"
#include "platform/gbk.h"

namespace lenscout {
namespace {

// Every text of every language turns into GBK and back unchanged: a
// character GBK lacks would otherwise vanish from the windows.
TEST(StringTable, EveryTextConvertsToGbkAndBack) {
    for (int row = 1; row < kStringRows; ++row)
        for (int column = 0; column < kLanguageColumns; ++column) {
            const char* utf8 = catalogText(row, column);
            EXPECT_NE(*utf8, '\0') << "row " << row << " column " << column << " is empty";
            EXPECT_EQ(gbkToUtf8(StringTable[row][column]), utf8) << "row " << row << " column " << column;
        }
    for (int column = 0; column < kLanguageColumns; ++column)
        EXPECT_EQ(gbkToUtf8(StringTable[0][column]), languageInfo(column + 1)->nativeName);
}

// The bytes as GBK has them, written out by hand from the code page.
TEST(StringTable, ChineseColumnsHoldGbkNotUtf8) {
    // "Exit" in Chinese: two characters, two bytes each.
    EXPECT_EQ(std::string(StringTable[kTextExit][1]), "\xcd\xcb\xb3\xf6");
    EXPECT_EQ(std::string(StringTable[kTextExit][2]), "\xcd\xcb\xb3\xf6");
    // 简体中文 and 繁體中文; 網關 (Gateway) has a trail byte in ASCII's range.
    EXPECT_EQ(std::string(StringTable[0][1]), "\xbc\xf2\xcc\xe5\xd6\xd0\xce\xc4");
    EXPECT_EQ(std::string(StringTable[0][2]), "\xb7\xb1\xf3w\xd6\xd0\xce\xc4");
    EXPECT_EQ(std::string(StringTable[kTextGateway][2]), "\xbeW\xeaP");
    EXPECT_EQ(std::string(StringTable[kTextGateway][0]), "Gateway");
}

TEST(StringTable, RowsInTheirLanguageAreDistinctWhereTheyMustBe) {
    // Two rows with one text would make two messages indistinguishable.
    for (int column = 0; column < kLanguageColumns; ++column) {
        std::set<std::string> seen;
        for (int row = kTextBadGateway; row <= kTextBadPort; ++row)
            EXPECT_TRUE(seen.insert(StringTable[row][column]).second) << "row " << row << " column " << column;
    }
}

TEST(StringTable, SelectLanguagePicksAColumnForEveryRow) {
    SelectLanguage(kTraditionalChinese);
    for (int row = 1; row < kStringRows; ++row) EXPECT_EQ(CurrentText(row), StringTable[row][2]) << row;
    SelectLanguage(kSimplifiedChinese);
    for (int row = 1; row < kStringRows; ++row) EXPECT_EQ(CurrentText(row), StringTable[row][1]) << row;
    for (int other : {kEnglish, 0, kLanguageCount + 1, -1}) {
        SelectLanguage(other);
        EXPECT_STREQ(CurrentText(kTextAnonymous), "Anonymous") << other;
    }
    EXPECT_STREQ(CurrentText(0), "");
    EXPECT_STREQ(CurrentText(kStringRows), "");
}

TEST(Languages, SettingsRunFromOneWithoutGaps) {
    for (int setting = 1; setting <= kLanguageCount; ++setting) {
        const LanguageInfo* l = languageInfo(setting);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(l->setting, setting);
        EXPECT_NE(l->langIds[0], 0) << setting;
    }
    EXPECT_EQ(languageInfo(0), nullptr);
    EXPECT_EQ(languageInfo(kLanguageCount + 1), nullptr);
}

}  // namespace
}  // namespace lenscout
