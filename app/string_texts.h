#pragma once
// The string table's source: UTF-8, as translators edit it.
#include "app/languages.h"
#include "app/string_table.h"

namespace lenscout {

extern const char* const kTextsUtf8[kStringRows][kLanguageCount];

}  // namespace lenscout
