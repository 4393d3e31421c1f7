#include "win32/modal_dialog.h"

namespace lenscout {

HINSTANCE programInstance() { return GetModuleHandleW(nullptr); }

ModalDialog::~ModalDialog() {
    if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

// The template made in memory, or the resources' own; null when the
// resources lack it.
LPCDLGTEMPLATEW ModalDialog::dialogTemplate() const {
    if (!memory_.empty()) return reinterpret_cast<LPCDLGTEMPLATEW>(memory_.data());
    HRSRC found = FindResourceW(programInstance(), MAKEINTRESOURCEW(templateId_), MAKEINTRESOURCEW(5));  // RT_DIALOG
    HGLOBAL loaded = found ? LoadResource(programInstance(), found) : nullptr;
    return loaded ? static_cast<LPCDLGTEMPLATEW>(LockResource(loaded)) : nullptr;
}

INT_PTR ModalDialog::DoModal(HWND owner) {
    modal_ = true;
    ended_ = false;
    return DialogBoxIndirectParamW(programInstance(), dialogTemplate(), owner, proc, reinterpret_cast<LPARAM>(this));
}

HWND ModalDialog::create(HWND owner) {
    modal_ = false;
    return CreateDialogIndirectParamW(programInstance(), dialogTemplate(), owner, proc, reinterpret_cast<LPARAM>(this));
}

void ModalDialog::end(INT_PTR result) {
    ended_ = true;
    result_ = result;
    if (modal_) EndDialog(hwnd_, result);
}

INT_PTR CALLBACK ModalDialog::proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<ModalDialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
        return self->OnInitDialog();
    }
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        self->hwnd_ = nullptr;
        return FALSE;
    }
    return self->dispatch(message, wParam, lParam);
}

INT_PTR ModalDialog::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR out = FALSE;
    if (OnMessage(message, wParam, lParam, &out)) return out;
    if (message == WM_CLOSE) {
        OnCancel();
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam), notification = HIWORD(wParam);
    if (id == IDOK && notification == BN_CLICKED) OnOK();
    else if (id == IDCANCEL && notification == BN_CLICKED)
        OnCancel();
    else
        return OnCommand(id, notification) ? TRUE : FALSE;
    return TRUE;
}

}  // namespace lenscout
