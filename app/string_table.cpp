#include "app/string_table.h"

#include <string>

#include "app/string_texts.h"
#include "platform/gbk.h"

namespace lenscout {

namespace {

// The catalogs' texts by row and column, English where a column has none.
struct CatalogTable {
    CatalogTable() {
        for (const CatalogText* t = kCatalogTexts; t->utf8; ++t)
            if (t->row > 0 && t->row < kStringRows && t->column >= 0 && t->column < kLanguageColumns)
                text[t->row][t->column] = t->utf8;
        for (auto& columns : text)
            for (const char*& t : columns)
                if (!t) t = columns[0] ? columns[0] : "";
    }
    const char* text[kStringRows][kLanguageColumns] = {};
};

// Converted in place: the row pointers point into the texts beside them.
struct GbkTexts {
    GbkTexts() {
        for (int r = 0; r < kStringRows; ++r)
            for (int c = 0; c < kLanguageColumns; ++c) {
                text[r][c] = utf8ToGbk(r == 0 ? languageInfo(c + 1)->nativeName : catalogText(r, c));
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

const char* catalogText(int row, int column) {
    static const CatalogTable table;
    if (row < 0 || row >= kStringRows || column < 0 || column >= kLanguageColumns) return "";
    return table.text[row][column];
}

const GbkTable StringTable;

const char* const* GbkTable::operator[](int row) const { return gbkTexts().row[row]; }

void SelectLanguage(int language) { gColumn = languageInfo(language) ? language - 1 : 0; }

const char* CurrentText(int row) {
    if (row < 1 || row >= kStringRows) return "";
    return StringTable[row][gColumn];
}

}  // namespace lenscout
