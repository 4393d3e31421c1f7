#pragma once
// The rules of every limit on a text: a cut falls at a character's end,
// never inside one; a column is as wide as its characters.
#include <cstddef>
#include <string_view>

namespace lenscout {

// The longest start of GBK text (a camera's bytes) that fits in maxBytes
// without cutting a two-byte character in half.
size_t gbkFit(std::string_view text, size_t maxBytes);
// The longest start of UTF-8 text that fits in maxBytes without cutting a
// character.
size_t utf8Fit(std::string_view text, size_t maxBytes);
// How many columns of a fixed-pitch list a UTF-8 text takes: two for each
// character of the wide scripts (from U+1100 on), one for the rest, as GBK
// counts its bytes.
size_t textColumns(std::string_view text);

}  // namespace lenscout
