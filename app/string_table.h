#pragma once
// Every text the user sees, in every language of languages.h, as GBK (code
// page 936) bytes: the texts of the catalogs in po/, converted once. The
// rows (TextRow, kStringRows) are made from po/lenscout.pot.
#include "app/languages.h"
#include "lenscout_text_rows.h"

namespace lenscout {

constexpr int kLanguageColumns = kLanguageCount;

// StringTable[row][column]: column 0 is English, column c language c + 1.
// Row 0 names the languages, each in its own; it is read from here
// directly and has no current text.
class GbkTable {
public:
    const char* const* operator[](int row) const;
};
extern const GbkTable StringTable;

// Makes the language's column current; any value outside the languages
// makes English current.
void SelectLanguage(int language);
// The row's text in the current language, for rows 1 to kStringRows - 1; English until
// the first selection. Any other row gives "".
const char* CurrentText(int row);

}  // namespace lenscout
