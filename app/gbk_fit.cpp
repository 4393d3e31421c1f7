#include "app/gbk_fit.h"

namespace lenscout {

namespace {

bool isLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x81 && b <= 0xfe;
}

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

}  // namespace lenscout
