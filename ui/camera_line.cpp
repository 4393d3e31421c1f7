#include "ui/camera_line.h"

#include "app/gbk_fit.h"
#include "app/string_table.h"
#include "discovery/camera_text.h"
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
