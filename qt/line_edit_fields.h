#pragma once
// A dialog's line edits as its presenter's fields: UTF-8 text in and out,
// the address fields read as four numbers.
#include <map>
#include <string>

#include "ui/dialog_view.h"

class QLineEdit;

namespace lenscout {

class LineEditFields : public DialogFields {
public:
    void add(DialogField field, QLineEdit* edit) { edits_[field] = edit; }
    std::string text(DialogField field) const override;
    void setText(DialogField field, const std::string& text) override;

private:
    std::map<DialogField, QLineEdit*> edits_;
};

}  // namespace lenscout
