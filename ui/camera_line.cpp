#include "ui/camera_line.h"

#include <algorithm>
#include "app/string_table.h"

#include "app/text_fit.h"
#include "discovery/camera_text.h"
#include "platform/text_codecs.h"
#include "ui/camera_actions.h"

namespace lenscout {

namespace {

std::string status(const CameraInfo& c) {
    if (c.conflict) return CurrentText(kTextIdConflict);
    if (c.sameSubnet == 0) return CurrentText(kTextSubnetMismatch);
    if (c.webUiVersion == 0) return CurrentText(kTextNoWebUi);
    return "Http://" + webAddress(c);
}

}  // namespace

// "%-25.25s%s" over the camera's GBK bytes, except that a cut never splits
// a character: the column is then padded with one more blank. "Anonymous"
// takes the columns its characters take.
std::string FormatCameraLine(const CameraInfo& c) {
    const std::string_view name = fieldText(c.name);
    const std::string_view cut = name.substr(0, gbkFit(name, kNameColumn));
    const std::string shown = name.empty() ? CurrentText(kTextAnonymous) : gbkToShown(cut);
    // A byte shown as an escape takes its escape's columns.
    const size_t columns = std::max(name.empty() ? 0 : cut.size(), textColumns(shown));
    std::string line = shown + std::string(columns < kNameColumn ? kNameColumn - columns : 0, ' ');
    const std::string s = status(c);
    line.append(s, 0, utf8Fit(s, kStatusLimit));
    return line;
}

}  // namespace lenscout
