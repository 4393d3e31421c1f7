#pragma once
// Every text the user sees, in every language of languages.h, as UTF-8: the
// texts of the catalogs in po/. The rows (TextRow, kStringRows) are made
// from po/lenscout.pot.
#include "app/languages.h"
#include "lenscout_text_rows.h"

namespace lenscout {

constexpr int kLanguageColumns = kLanguageCount;

// Makes the language's column current; any value outside the languages
// makes English current.
void SelectLanguage(int language);
// The row's text in the current language, for rows 1 to kStringRows - 1; English until
// the first selection. Any other row gives "".
const char* CurrentText(int row);

}  // namespace lenscout
