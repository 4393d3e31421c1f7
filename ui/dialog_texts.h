#pragma once
// The texts of the credentials dialogs' controls, for both desktops: each
// control by its name in the templates (IDC_... in lenscout.rc and in the
// .ui files), its string-table row and its access key (0 for none: OK and
// Cancel have Enter and Escape).
#include <vector>

namespace lenscout {

struct ControlText {
    const char* control;
    int row;
    char key;
};

const std::vector<ControlText>& networkDialogTexts();
const std::vector<ControlText>& upgradeDialogTexts();
// The dialog that asks for the user and password alone.
const std::vector<ControlText>& credentialsDialogTexts();

// The user name every credentials dialog offers; the camera's own is never
// shown. lenscout-cli's --user defaults to it too.
constexpr char kDefaultUser[] = "admin";

}  // namespace lenscout
