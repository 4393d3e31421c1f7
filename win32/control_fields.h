#pragma once
// A dialog's controls as its presenter's fields: UTF-8 text in and out, the
// address fields through the IPv4 address control.
#include <windows.h>

#include <map>
#include <string>

#include "ui/dialog_view.h"

namespace lenscout {

class ControlFields : public DialogFields {
public:
    void add(DialogField field, HWND control) { controls_[field] = control; }
    std::string text(DialogField field) const override;
    void setText(DialogField field, const std::string& text) override;

private:
    std::map<DialogField, HWND> controls_;
};

}  // namespace lenscout
