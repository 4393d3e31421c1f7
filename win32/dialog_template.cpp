#include "win32/dialog_template.h"

#include <algorithm>

namespace lenscout {

namespace {

// As LENSCOUT_DIALOG_FONT in lenscout.rc.
constexpr WORD kFontPoints = 9, kFontWeight = 400;
constexpr BYTE kFontCharset = 0x86;
constexpr wchar_t kFontFace[] = L"Microsoft YaHei UI";

}  // namespace

DialogTemplate::DialogTemplate(const DialogRect& frame) {
    words_ = {1, 0xFFFF};  // version 1 of the extended template
    put(DWORD{0});         // help ID
    put(DWORD{0});         // extended style
    put(DWORD{DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU});
    countAt_ = words_.size();
    words_.push_back(0);
    for (int v : {frame.x, frame.y, frame.width, frame.height}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the dialog class
    put(std::wstring());  // the title comes later, in the current language
    words_.push_back(kFontPoints);
    words_.push_back(kFontWeight);
    words_.push_back(static_cast<WORD>(kFontCharset << 8));  // not italic, then the charset
    put(kFontFace);
}

void DialogTemplate::add(ControlClass kind, int id, DWORD style, const DialogRect& at) {
    if (words_.size() % 2) words_.push_back(0);  // each item starts on a DWORD
    put(DWORD{0});                               // help ID
    put(DWORD{0});                               // extended style
    put(style | WS_CHILD | WS_VISIBLE);
    for (int v : {at.x, at.y, at.width, at.height}) words_.push_back(static_cast<WORD>(v));
    put(static_cast<DWORD>(id));
    words_.push_back(0xFFFF);
    words_.push_back(static_cast<WORD>(kind));
    put(std::wstring());  // its text comes later
    words_.push_back(0);  // no creation data
    ++words_[countAt_];
}

void DialogTemplate::put(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
}

void DialogTemplate::put(const std::wstring& text) {
    for (wchar_t c : text) words_.push_back(static_cast<WORD>(c));
    words_.push_back(0);
}

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

int widestText(HWND dialog, const std::vector<int>& ids) {
    int widest = 0;
    for (int id : ids) {
        wchar_t text[256] = {};
        GetDlgItemTextW(dialog, id, text, 256);
        widest = std::max(widest, unitsAcross(dialog, text));
    }
    return widest;
}

void placeControl(HWND dialog, int id, const DialogRect& at) {
    RECT r{at.x, at.y, at.x + at.width, at.y + at.height};
    MapDialogRect(dialog, &r);
    MoveWindow(GetDlgItem(dialog, id), r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
}

void sizeClient(HWND dialog, const DialogRect& frame) {
    RECT client{0, 0, frame.width, frame.height};
    MapDialogRect(dialog, &client);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE));
    AdjustWindowRectEx(&client, style, FALSE, exStyle);
    SetWindowPos(dialog, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace lenscout
