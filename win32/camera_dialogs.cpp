#include "win32/camera_dialogs.h"

#include <shellapi.h>

#include "win32/camera_info_dlg.h"
#include "win32/credentials_dlg.h"
#include "win32/net_config_dlg.h"
#include "win32/popup_menu.h"
#include "win32/upgrade_dlg.h"
#include "win32/wide_text.h"

namespace lenscout {

void openInBrowser(const std::string& url) {
    ShellExecuteW(nullptr, L"open", wideFromUtf8(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void fillStandardDialogs(CameraDialogs& d, const MessageBoxFn& messageBox, std::function<HWND()> owner,
                         std::function<POINT()> menuPoint) {
    if (!d.networkConfiguration)
        d.networkConfiguration = [messageBox, owner](const CameraInfo& camera, CameraRequest* request) {
            CNetConfigDlg dialog(messageBox);
            return runNetworkDialog(dialog, camera, request, [&] { return dialog.DoModal(owner()) == IDOK; });
        };
    if (!d.basicProperties)
        d.basicProperties = [owner](const CameraInfo& camera) {
            CCameraInfoDlg dialog;
            dialog.m_camera = camera;
            dialog.DoModal(owner());
        };
    if (!d.upgrade)
        d.upgrade = [messageBox, owner](CameraInfo& camera) {
            CUpgradeDlg dialog(messageBox);
            dialog.m_camera = camera;
            return dialog.DoModal(owner()) == IDOK;
        };
    if (!d.credentials)
        d.credentials = [messageBox, owner](const CameraInfo& camera, int titleRow, Credentials* credentials) {
            CCredentialsDlg dialog(messageBox);
            return runCredentialsDialog(dialog, camera, titleRow, credentials,
                                        [&] { return dialog.DoModal(owner()) == IDOK; });
        };
    if (!d.openWebPage) d.openWebPage = openInBrowser;
    if (!d.contextMenu)
        d.contextMenu = [owner, menuPoint](const std::vector<ContextMenuEntry>& entries) {
            MenuHandle menu = buildContextMenu(entries);
            return trackAt(owner(), menu.get(), menuPoint());
        };
}

}  // namespace lenscout
