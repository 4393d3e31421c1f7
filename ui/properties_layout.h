#pragma once
// The Basic Properties dialog, laid out from the camera field table: a row
// for each field marked for it, its label on the left and its value beside
// it, and the OK button under them. Both desktops build the dialog from
// this at run time, in dialog units (a quarter of the font's average
// character width across, an eighth of its height down).
#include <vector>

#include "ui/camera_fields.h"

namespace lenscout {

struct DialogRect {
    int x, y, width, height;
};

struct PropertiesRow {
    const CameraField* field;
    int labelId, valueId;  // the controls' numbers, for tests and for Windows
    DialogRect label, value;
};

struct PropertiesLayout {
    DialogRect frame;  // the dialog's client size (x and y 0)
    std::vector<PropertiesRow> rows;
    DialogRect button;
};

// The narrowest label column, and what the widest label needs in dialog
// units (as the toolkit measures it): the column grows to the longer.
constexpr int kPropertiesLabelWidth = 98;
PropertiesLayout propertiesLayout(int widestLabel = 0);

}  // namespace lenscout
