#include "win32/popup_menu.h"

#include "win32/wide_text.h"

namespace lenscout {

MenuHandle buildTrayMenu(const std::vector<TrayMenuEntry>& entries) {
    MenuHandle menu(CreatePopupMenu());
    for (const TrayMenuEntry& e : entries) {
        if (!e.text) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        // A choice of a group shows as a radio item, to screen readers too.
        const UINT flags =
            MF_STRING | (e.checked ? MF_CHECKED : MF_UNCHECKED) | (e.group != TrayGroup::None ? MFT_RADIOCHECK : 0);
        AppendMenuW(menu.get(), flags, static_cast<UINT_PTR>(e.command), wideFromUtf8(e.text).c_str());
    }
    return menu;
}

MenuHandle buildContextMenu(const std::vector<ContextMenuEntry>& entries) {
    MenuHandle menu(CreatePopupMenu());
    for (const ContextMenuEntry& e : entries) {
        const UINT flags = MF_STRING | (e.enabled ? MF_ENABLED : MF_GRAYED);
        AppendMenuW(menu.get(), flags, static_cast<UINT_PTR>(e.command), wideFromUtf8(e.text).c_str());
    }
    return menu;
}

POINT cursorPoint() {
    POINT at{};
    GetCursorPos(&at);
    return at;
}

int trackAtCursor(HWND owner, HMENU menu) { return trackAt(owner, menu, cursorPoint()); }

POINT selectedLinePoint(HWND list) {
    RECT line{};
    const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR ||
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&line)) == LB_ERR)
        GetClientRect(list, &line), line.bottom = line.top;
    POINT at{line.left + 8, line.bottom};
    ClientToScreen(list, &at);
    return at;
}

int trackAt(HWND owner, HMENU menu, POINT at) {
    SetForegroundWindow(owner);
    const int command = static_cast<int>(TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr));
    // Lets the menu close when the owner loses the foreground right after.
    PostMessageW(owner, WM_NULL, 0, 0);
    return command;
}

}  // namespace lenscout
