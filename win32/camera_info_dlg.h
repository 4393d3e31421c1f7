#pragma once
// Basic properties of one camera (dialog 142): its ID and both versions.
#include "discovery/camera_info.h"
#include "win32/modal_dialog.h"

namespace lenscout {

class CCameraInfoDlg : public ModalDialog {
public:
    CCameraInfoDlg();
    CameraInfo m_camera{};  // filled by the opener

protected:
    BOOL OnInitDialog() override;
};

}  // namespace lenscout
