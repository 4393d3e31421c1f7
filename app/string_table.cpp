#include "app/string_table.h"

#include <string>

#include "app/string_texts.h"
#include "platform/gbk.h"

namespace lenscout {

namespace {

// Converted in place: the row pointers point into the texts beside them.
struct GbkTexts {
    GbkTexts() {
        for (int r = 0; r < kStringRows; ++r)
            for (int c = 0; c < kLanguageColumns; ++c) {
                const char* utf8 = r == 0 ? languageInfo(c + 1)->nativeName : kTextsUtf8[r][c];
                text[r][c] = utf8ToGbk(utf8 ? utf8 : "");
                row[r][c] = text[r][c].c_str();
            }
    }
    GbkTexts(const GbkTexts&) = delete;
    GbkTexts& operator=(const GbkTexts&) = delete;
    std::string text[kStringRows][kLanguageColumns];
    const char* row[kStringRows][kLanguageColumns];
};

// Built at the first look-up, from any thread, once.
const GbkTexts& gbkTexts() {
    static const GbkTexts texts;
    return texts;
}

int gColumn = 0;

}  // namespace

const GbkTable StringTable;

const char* const* GbkTable::operator[](int row) const { return gbkTexts().row[row]; }

void SelectLanguage(int language) { gColumn = languageInfo(language) ? language - 1 : 0; }

const char* CurrentText(int row) {
    if (row < 1 || row >= kStringRows) return "";
    return StringTable[row][gColumn];
}

}  // namespace lenscout
