#include "win32/camera_info_dlg.h"

#include <iterator>

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
    // The template's label and value of each field the dialog shows, in
    // the order of the field table.
    const std::pair<int, int> controls[] = {
        {IDC_LABEL_DEVICE_ID, IDC_DEVICE_ID}, {IDC_LABEL_FIRMWARE, IDC_FIRMWARE}, {IDC_LABEL_WEBUI, IDC_WEBUI}};
    const std::vector<const CameraField*> fields = fieldsFor(kInProperties);
    for (size_t i = 0; i < fields.size() && i < std::size(controls); ++i) {
        setItemRow(hwnd(), controls[i].first, fields[i]->labelRow);
        setItemGbk(hwnd(), controls[i].second, fields[i]->text(m_camera, nullptr));
    }
    return TRUE;
}

}  // namespace lenscout
