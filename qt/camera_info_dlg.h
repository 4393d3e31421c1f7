#pragma once
// Basic properties of one camera (dialog 142): the fields of the camera
// field table that it shows (device ID and both versions).
#include <QDialog>
#include <memory>

#include "discovery/camera_info.h"

class QLabel;

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
    QLabel* control(int id) const;

    std::unique_ptr<Ui::CCameraInfoDlg> ui_;
};

}  // namespace lenscout
