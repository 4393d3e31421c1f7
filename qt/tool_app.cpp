#include "qt/tool_app.h"

#include "app/startup_language.h"
#include "app/string_table.h"
#include "platform/socket.h"
#include "qt/camera_list_dlg.h"
#include "qt/single_instance.h"

namespace lenscout {

CToolApp::CToolApp(StartupServices services) : services_(std::move(services)) {
    if (!services_.startSocketLayer) services_.startSocketLayer = startSocketLayer;
    if (!services_.messageBox) services_.messageBox = showMessageBox;
    if (!services_.makeMainWindow) services_.makeMainWindow = [] { return std::make_unique<CCameraListDlg>(); };
}

bool CToolApp::InitInstance() {
    ChooseStartupLanguage();
    SingleInstance instance(CurrentText(kTextTitle));
    if (instance.claim() == InstanceClaim::HandedOver) return false;
    if (!services_.startSocketLayer()) {
        services_.messageBox(nullptr, CurrentText(kTextSocketError));
        return false;
    }
    std::unique_ptr<CCameraListDlg> window = services_.makeMainWindow();
    QObject::connect(&instance, &SingleInstance::showRequested, window.get(), &CCameraListDlg::showAndRaise);
    window->OnInitDialog();
    window->DoModal();
    window.reset();
    return false;
}

}  // namespace lenscout
