#include "app/string_table.h"

#include "app/string_texts.h"

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

int gColumn = 0;

}  // namespace

const char* catalogText(int row, int column) {
    static const CatalogTable table;
    if (row < 0 || row >= kStringRows || column < 0 || column >= kLanguageColumns) return "";
    return table.text[row][column];
}

void SelectLanguage(int language) { gColumn = languageInfo(language) ? language - 1 : 0; }

const char* CurrentText(int row) {
    if (row < 1 || row >= kStringRows) return "";
    return catalogText(row, gColumn);
}

}  // namespace lenscout
