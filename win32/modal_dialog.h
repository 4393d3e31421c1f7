#pragma once
// A dialog built on a template of the program's resources. The program runs
// it modally; tests create the same dialog without a loop of its own and
// drive it with messages.
#include <windows.h>

#include <utility>
#include <vector>

namespace lenscout {

class ModalDialog {
public:
    explicit ModalDialog(int templateId) : templateId_(templateId) {}
    // A dialog on a template made in memory (dialog_template.h).
    explicit ModalDialog(std::vector<WORD> memoryTemplate) : templateId_(0), memory_(std::move(memoryTemplate)) {}
    virtual ~ModalDialog();
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // Runs the dialog until it ends; its result (IDOK, IDCANCEL, ...).
    INT_PTR DoModal(HWND owner);
    // The dialog without a loop: initialised, not shown; it stays until the
    // object goes, and end() only records the result.
    HWND create(HWND owner);

    HWND hwnd() const { return hwnd_; }
    bool ended() const { return ended_; }
    INT_PTR result() const { return result_; }
    void end(INT_PTR result);

protected:
    virtual BOOL OnInitDialog() = 0;
    // Enter and the default button.
    virtual void OnOK() { end(IDOK); }
    // Button 2, Escape and the close box.
    virtual void OnCancel() { end(IDCANCEL); }
    // A WM_COMMAND not from IDOK or IDCANCEL; true when handled.
    virtual bool OnCommand(int id, int notification) {
        (void)id, (void)notification;
        return false;
    }
    // Any other message; true when handled, with the result in *out.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* out) {
        (void)message, (void)wParam, (void)lParam, (void)out;
        return false;
    }
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }

private:
    LPCDLGTEMPLATEW dialogTemplate() const;
    static INT_PTR CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    std::vector<WORD> memory_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool ended_ = false;
    INT_PTR result_ = 0;
};

// The program's instance, whose resources hold the templates.
HINSTANCE programInstance();

}  // namespace lenscout
