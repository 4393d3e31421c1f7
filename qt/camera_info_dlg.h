#pragma once
// Basic properties of one camera: a row for each field of the camera field
// table marked for it, built at run time (ui/properties_layout.h).
#include <QDialog>
#include <vector>

#include "discovery/camera_info.h"
#include "ui/camera_fields.h"

class QLabel;
class QPushButton;

namespace lenscout {

class CCameraInfoDlg : public QDialog {
public:
    CCameraInfoDlg();

    CameraInfo m_camera{};  // filled by the opener before DoModal

    void OnInitDialog();
    int DoModal();

private:
    struct Row {
        const CameraField* field;
        QLabel* label;  // object name "label_<key>"
        QLabel* value;  // object name "<key>"
    };
    // Places the rows, the label column as wide as its longest text.
    void layOut();

    std::vector<Row> rows_;
    QPushButton* button_;
};

}  // namespace lenscout
