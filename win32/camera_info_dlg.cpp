#include "win32/camera_info_dlg.h"

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "ui/camera_actions.h"
#include "win32/resource.h"
#include "win32/wide_text.h"

namespace lenscout {

CCameraInfoDlg::CCameraInfoDlg() : ModalDialog(IDD_CAMERA_INFO) {}

BOOL CCameraInfoDlg::OnInitDialog() {
    setWindowGbk(hwnd(), cameraDialogTitle(m_camera, kTextBasicProperties));
    setItemRow(hwnd(), IDC_LABEL_DEVICE_ID, kTextDeviceId);
    setItemRow(hwnd(), IDC_LABEL_FIRMWARE, kTextFirmwareVersion);
    setItemRow(hwnd(), IDC_LABEL_WEBUI, kTextWebUiVersion);
    setItemRow(hwnd(), IDCANCEL, kTextOk);
    setItemGbk(hwnd(), IDC_DEVICE_ID, fieldText(m_camera.deviceId));
    setItemGbk(hwnd(), IDC_FIRMWARE, dottedQuad(m_camera.firmwareVersion));
    setItemGbk(hwnd(), IDC_WEBUI, dottedQuad(m_camera.webUiVersion));
    return TRUE;
}

}  // namespace lenscout
