#pragma once
// Every text the user sees: 42 rows in English, Simplified and Traditional
// Chinese, the Chinese ones as GBK (code page 936) bytes.
namespace lenscout {

constexpr int kStringRows = 42;
constexpr int kLanguageColumns = 3;

// Row 0 names the three languages, each in its own; it is read from here
// directly and has no current text.
extern const char* const StringTable[kStringRows][kLanguageColumns];

// Languages as the setting and SelectLanguage give them.
constexpr int kEnglish = 1;
constexpr int kSimplifiedChinese = 2;
constexpr int kTraditionalChinese = 3;

// Makes column 1 (language 2) or column 2 (language 3) current; any other
// value makes English current.
void SelectLanguage(int language);
// The row's text in the current language, for rows 1 to 41; English until
// the first selection. Any other row gives "".
const char* CurrentText(int row);

// Rows that the core itself shows.
enum TextRow {
    kTextIncorrectCredentials = 15,
    kTextSocketError = 34,
    kTextThreadError = 35,
    kTextSubnetMismatch = 36,
    kTextNoWebUi = 37,
    kTextAnonymous = 38,
};

}  // namespace lenscout
