#include "ui/camera_line.h"

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "ui/camera_actions.h"

namespace lenscout {

namespace {

bool isLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x81 && b <= 0xfe;
}

std::string status(const CameraInfo& c) {
    if (c.sameSubnet == 0) return CurrentText(kTextSubnetMismatch);
    if (c.webUiVersion == 0) return CurrentText(kTextNoWebUi);
    return "Http://" + webAddress(c);
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

// "%-25.25s%s", except that a cut never splits a character: the column is
// then padded with one more blank.
std::string FormatCameraLine(const CameraInfo& c) {
    std::string_view name = fieldText(c.name);
    if (name.empty()) name = CurrentText(kTextAnonymous);
    std::string line(name.substr(0, gbkFit(name, kNameColumn)));
    line.resize(kNameColumn, ' ');
    const std::string s = status(c);
    line.append(s, 0, gbkFit(s, kStatusLimit));
    return line;
}

}  // namespace lenscout
