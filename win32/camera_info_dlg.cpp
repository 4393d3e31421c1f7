#include "win32/camera_info_dlg.h"

#include "app/string_table.h"
#include "ui/camera_actions.h"
#include "ui/camera_fields.h"
#include "win32/resource.h"
#include "win32/wide_text.h"

namespace lenscout {

CCameraInfoDlg::CCameraInfoDlg() : ModalDialog(IDD_CAMERA_INFO) {}

BOOL CCameraInfoDlg::OnInitDialog() {
    setWindowGbk(hwnd(), cameraDialogTitle(m_camera, kTextBasicProperties));
    setItemRow(hwnd(), IDCANCEL, kTextOk);
    for (const CameraField* f : fieldsFor(kInProperties)) {
        setItemRow(hwnd(), f->labelControl, f->labelRow);
        setItemGbk(hwnd(), f->valueControl, f->text(m_camera, nullptr));
    }
    return TRUE;
}

}  // namespace lenscout
