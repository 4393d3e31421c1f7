#include "win32/camera_info_dlg.h"

#include <algorithm>
#include <string>

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

// The text's width in dialog units, in the dialog's font, an access key's
// '&' aside.
int unitsAcross(HWND dialog, const std::wstring& text) {
    HDC dc = GetDC(dialog);
    const HGDIOBJ before = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    RECT box{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, before);
    ReleaseDC(dialog, dc);
    RECT unit{0, 0, 4, 8};
    MapDialogRect(dialog, &unit);
    return unit.right > 0 ? static_cast<int>((box.right * 4 + unit.right - 1) / unit.right) : 0;
}

void place(HWND dialog, int id, const DialogRect& at) {
    RECT r{at.x, at.y, at.x + at.width, at.y + at.height};
    MapDialogRect(dialog, &r);
    MoveWindow(GetDlgItem(dialog, id), r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
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
    int widest = 0;
    for (const PropertiesRow& r : propertiesLayout().rows) {
        wchar_t text[256] = {};
        GetDlgItemTextW(hwnd(), r.labelId, text, 256);
        widest = std::max(widest, unitsAcross(hwnd(), text));
    }
    const PropertiesLayout layout = propertiesLayout(widest);
    for (const PropertiesRow& r : layout.rows) {
        place(hwnd(), r.labelId, r.label);
        place(hwnd(), r.valueId, r.value);
    }
    place(hwnd(), IDCANCEL, layout.button);
    RECT client{0, 0, layout.frame.width, layout.frame.height};
    MapDialogRect(hwnd(), &client);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_EXSTYLE));
    AdjustWindowRectEx(&client, style, FALSE, exStyle);
    SetWindowPos(hwnd(), nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace lenscout
