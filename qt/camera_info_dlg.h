#pragma once
// Basic properties of one camera (dialog 142): device ID and both versions.
#include <QDialog>
#include <memory>

#include "discovery/camera_info.h"

namespace Ui {
class CCameraInfoDlg;
}

namespace lenscout {

class CCameraInfoDlg : public QDialog {
public:
    CCameraInfoDlg();
    ~CCameraInfoDlg() override;

    CameraInfo m_camera{};  // filled by the opener before DoModal

    void OnInitDialog();
    int DoModal();

private:
    std::unique_ptr<Ui::CCameraInfoDlg> ui_;
};

}  // namespace lenscout
