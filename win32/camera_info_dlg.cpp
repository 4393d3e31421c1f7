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
    // Each label's key is its English text's first letter, in every
    // language; it reaches the read-only field after the label.
    for (const CameraField* f : fieldsFor(kInProperties)) {
        const wchar_t key = static_cast<wchar_t>(StringTable[f->labelRow][0][0]);
        SetDlgItemTextW(hwnd(), f->labelControl, withAccessKey(currentWide(f->labelRow), key).c_str());
        setItemGbk(hwnd(), f->valueControl, f->text(m_camera, nullptr));
    }
    return TRUE;
}

}  // namespace lenscout
