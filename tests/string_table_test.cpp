#include "app/string_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/languages.h"
#include "app/string_texts.h"

namespace lenscout {
namespace {

// Every row has a text in every language, English where a catalog has none.
TEST(StringTable, EveryRowHasATextInEveryColumn) {
    for (int row = 1; row < kStringRows; ++row)
        for (int column = 0; column < kLanguageColumns; ++column)
            EXPECT_NE(*catalogText(row, column), '\0') << "row " << row << " column " << column << " is empty";
}

// The texts are UTF-8 inside, whatever the language: the bytes written out
// by hand from the encoding.
TEST(StringTable, TextsAreUtf8) {
    SelectLanguage(kSimplifiedChinese);
    EXPECT_STREQ(CurrentText(kTextExit), "\xe9\x80\x80\xe5\x87\xba");  // 退出
    SelectLanguage(kTraditionalChinese);
    EXPECT_STREQ(CurrentText(kTextGateway), "\xe7\xb6\xb2\xe9\x97\x9c");  // 網關
    SelectLanguage(kEnglish);
    EXPECT_STREQ(CurrentText(kTextGateway), "Gateway");
}

TEST(StringTable, RowsInTheirLanguageAreDistinctWhereTheyMustBe) {
    // Two rows with one text would make two messages indistinguishable.
    for (int column = 0; column < kLanguageColumns; ++column) {
        std::set<std::string> seen;
        for (int row = kTextBadGateway; row <= kTextBadPort; ++row)
            EXPECT_TRUE(seen.insert(catalogText(row, column)).second) << "row " << row << " column " << column;
    }
}

TEST(StringTable, SelectLanguagePicksAColumnForEveryRow) {
    SelectLanguage(kTraditionalChinese);
    for (int row = 1; row < kStringRows; ++row) EXPECT_EQ(CurrentText(row), catalogText(row, 2)) << row;
    SelectLanguage(kSimplifiedChinese);
    for (int row = 1; row < kStringRows; ++row) EXPECT_EQ(CurrentText(row), catalogText(row, 1)) << row;
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
