#pragma once
// The string table's source: the texts of the catalogs in po/, UTF-8, as
// translators edit them. CMake makes kCatalogTexts from them
// (cmake/po_catalogs.cmake).
#include "app/languages.h"
#include "app/string_table.h"

namespace lenscout {

// One text of a catalog: a row's text in a language's column; column 0 is
// English, the source.
struct CatalogText {
    int row;
    int column;
    const char* utf8;
};
// Every text of the catalogs; the last has no text.
extern const CatalogText kCatalogTexts[];

// Row `row`'s text in `column` as the catalogs give it, English where the
// column's catalog has none; "" for a row no catalog holds.
const char* catalogText(int row, int column);

}  // namespace lenscout
