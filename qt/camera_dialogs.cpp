#include "qt/camera_dialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QMenu>
#include <QUrl>

#include "qt/camera_info_dlg.h"
#include "qt/credentials_dlg.h"
#include "qt/net_config_dlg.h"
#include "qt/utf8_text.h"
#include "qt/window_modal.h"

namespace lenscout {

namespace {

// At the cursor; opened from the keyboard, with the cursor elsewhere, at
// the selected line instead.
QPoint menuPosition() {
    auto* list = qobject_cast<QAbstractItemView*>(QApplication::focusWidget());
    const QPoint cursor = QCursor::pos();
    if (!list || !list->currentIndex().isValid()) return cursor;
    QWidget* view = list->viewport();
    if (view->rect().contains(view->mapFromGlobal(cursor))) return cursor;
    return view->mapToGlobal(list->visualRect(list->currentIndex()).center());
}

int runMenuAtCursor(const std::vector<ContextMenuEntry>& entries) {
    QMenu menu;
    for (const ContextMenuEntry& e : entries) {
        QAction* action = menu.addAction(qtText(e.text));
        action->setData(e.command);
        action->setEnabled(e.enabled);
    }
    const QAction* chosen = menu.exec(menuPosition());
    return chosen ? chosen->data().toInt() : 0;
}

}  // namespace

CameraDialogs standardCameraDialogs(const MessageBoxFn& messageBox, QWidget* owner) {
    CameraDialogs d;
    d.networkConfiguration = [messageBox, owner](const CameraInfo& camera, CameraRequest* request) {
        CNetConfigDlg dialog(messageBox);
        makeWindowModal(&dialog, owner);
        return runNetworkDialog(dialog, camera, request, [&] { return dialog.DoModal() == QDialog::Accepted; });
    };
    d.basicProperties = [owner](const CameraInfo& camera) {
        CCameraInfoDlg dialog;
        makeWindowModal(&dialog, owner);
        dialog.m_camera = camera;
        dialog.DoModal();
    };
    d.credentials = [messageBox, owner](const CameraInfo& camera, int titleRow, Credentials* credentials) {
        CCredentialsDlg dialog(messageBox);
        makeWindowModal(&dialog, owner);
        return runCredentialsDialog(dialog, camera, titleRow, credentials,
                                    [&] { return dialog.DoModal() == QDialog::Accepted; });
    };
    d.openWebPage = [](const std::string& url) { QDesktopServices::openUrl(QUrl(QString::fromStdString(url))); };
    d.contextMenu = runMenuAtCursor;
    return d;
}

}  // namespace lenscout
