#pragma once
// Basic properties of one camera: a row for each field of the camera field
// table marked for it, built at run time (ui/properties_layout.h).
#include "discovery/camera_info.h"
#include "win32/modal_dialog.h"

namespace lenscout {

class CCameraInfoDlg : public ModalDialog {
public:
    CCameraInfoDlg();
    CameraInfo m_camera{};  // filled by the opener

protected:
    BOOL OnInitDialog() override;

private:
    // Places the rows, the label column as wide as its longest text.
    void layOut();
};

}  // namespace lenscout
