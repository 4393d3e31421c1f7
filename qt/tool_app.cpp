#include "qt/tool_app.h"

#include "app/string_table.h"
#include "qt/camera_list_dlg.h"
#include "qt/single_instance.h"
#include "ui/tool_app_defaults.h"

namespace lenscout {

// The instance claimed stays open while the window runs, to hand it later
// starts.
template <>
bool CToolApp::InitInstance() {
    std::unique_ptr<SingleInstance> instance;
    return runStartup({[&] {
                           instance = std::make_unique<SingleInstance>(CurrentText(kTextTitle));
                           return instance->claim() == InstanceClaim::HandedOver;
                       },
                       services_.startSocketLayer, [this](int row) { services_.messageBox(nullptr, CurrentText(row)); },
                       [&] {
                           std::unique_ptr<CCameraListDlg> window = services_.makeMainWindow();
                           QObject::connect(instance.get(), &SingleInstance::showRequested, window.get(),
                                            &CCameraListDlg::showAndRaise);
                           window->OnInitDialog();
                           window->DoModal();
                       }});
}

template class ToolAppOf<StartupServices>;

}  // namespace lenscout
