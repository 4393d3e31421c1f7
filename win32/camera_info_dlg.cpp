#include "win32/camera_info_dlg.h"

#include <string>
#include <vector>

#include "app/string_table.h"
#include "app/string_texts.h"
#include "ui/camera_actions.h"
#include "ui/properties_layout.h"
#include "win32/dialog_template.h"
#include "win32/wide_text.h"

namespace lenscout {

namespace {

// Each label is static text before its value, so that a screen reader and
// the label's access key reach the value; the values are read-only fields,
// so that they can be selected and copied.
std::vector<WORD> propertiesTemplate() {
    const PropertiesLayout layout = propertiesLayout();
    DialogTemplate t(layout.frame);
    for (const PropertiesRow& r : layout.rows) {
        t.add(ControlClass::Static, r.labelId, SS_LEFT | WS_GROUP, r.label);
        t.add(ControlClass::Edit, r.valueId, ES_READONLY | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, r.value);
    }
    t.add(ControlClass::Button, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, layout.button);
    return t.words();
}

}  // namespace

CCameraInfoDlg::CCameraInfoDlg() : ModalDialog(propertiesTemplate()) {}

BOOL CCameraInfoDlg::OnInitDialog() {
    setWindowUtf8(hwnd(), cameraDialogTitle(m_camera, kTextBasicProperties));
    setItemRow(hwnd(), IDCANCEL, kTextOk);
    // Each label's key is its English text's first letter, in every
    // language; it reaches the read-only field after the label.
    for (const PropertiesRow& r : propertiesLayout().rows) {
        const wchar_t key = static_cast<wchar_t>(catalogText(r.field->labelRow, 0)[0]);
        SetDlgItemTextW(hwnd(), r.labelId, withAccessKey(wideFromUtf8(CurrentText(r.field->labelRow)), key).c_str());
        setItemUtf8(hwnd(), r.valueId, r.field->text(m_camera, nullptr));
    }
    layOut();
    return TRUE;
}

void CCameraInfoDlg::layOut() {
    std::vector<int> labels;
    for (const PropertiesRow& r : propertiesLayout().rows) labels.push_back(r.labelId);
    const PropertiesLayout layout = propertiesLayout(widestText(hwnd(), labels));
    for (const PropertiesRow& r : layout.rows) {
        placeControl(hwnd(), r.labelId, r.label);
        placeControl(hwnd(), r.valueId, r.value);
    }
    placeControl(hwnd(), IDCANCEL, layout.button);
    sizeClient(hwnd(), layout.frame);
}

}  // namespace lenscout
