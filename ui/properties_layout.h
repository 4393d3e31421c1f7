#pragma once
// The dialogs both desktops build at run time, laid out in dialog units (a
// quarter of the font's average character width across, an eighth of its
// height down). Basic Properties comes from the camera field table: a row
// for each field marked for it, its label on the left and its value beside
// it, and the OK button under them.
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

// The credentials dialog: User and Password, each a label with its field
// beside it, then OK and Cancel. Its label column grows the same way.
struct CredentialsLayout {
    DialogRect frame;
    DialogRect userLabel, user, passwordLabel, password, ok, cancel;
};
CredentialsLayout credentialsLayout(int widestLabel = 0);

}  // namespace lenscout
