#pragma once
// The rule of every byte limit on a text: GBK text is cut at a character's
// end, never inside one.
#include <cstddef>
#include <string_view>

namespace lenscout {

// The longest start of GBK text that fits in maxBytes without cutting a
// two-byte character in half.
size_t gbkFit(std::string_view text, size_t maxBytes);

}  // namespace lenscout
