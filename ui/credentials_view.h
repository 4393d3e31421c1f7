#pragma once
// The credentials dialog's rules, for both desktops: what it holds, its
// title, and what OK takes.
#include <string>

#include "discovery/camera_info.h"
#include "discovery/camera_request.h"
#include "ui/camera_actions.h"
#include "ui/dialog_view.h"

namespace lenscout {

class CredentialsView : public DialogView {
public:
    // Filled by the opener: the camera and the row of the command, which
    // title the dialog. Accepted, m_credentials holds what was typed; the
    // opener wipes it.
    CameraInfo m_camera{};
    int m_titleRow = 0;
    Credentials m_credentials{};

    std::string title() const { return cameraDialogTitle(m_camera, m_titleRow); }
    // OK and Enter: an empty user is refused, as in every credentials dialog.
    bool takeTyped() { return takeCredentials(*this, m_credentials); }
};

}  // namespace lenscout
