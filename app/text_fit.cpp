#include "app/text_fit.h"

namespace lenscout {

namespace {

bool isLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x81 && b <= 0xfe;
}

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xc0) == 0x80; }

}  // namespace

size_t gbkFit(std::string_view text, size_t maxBytes) {
    size_t used = 0;
    while (used < text.size()) {
        const size_t width = (isLeadByte(text[used]) && used + 1 < text.size()) ? 2 : 1;
        if (used + width > maxBytes) break;
        used += width;
    }
    return used;
}

size_t utf8Fit(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) return text.size();
    size_t end = maxBytes;
    while (end > 0 && isContinuation(text[end])) --end;
    return end;
}

size_t textColumns(std::string_view text) {
    size_t columns = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (isContinuation(text[i])) continue;
        const auto lead = static_cast<unsigned char>(text[i]);
        // A lead of three bytes or more from U+1100 (E1 84 80) on.
        const bool wide =
            lead >= 0xe2 || (lead == 0xe1 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x84);
        columns += wide ? 2 : 1;
    }
    return columns;
}

}  // namespace lenscout
