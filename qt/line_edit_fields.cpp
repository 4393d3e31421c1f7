#include "qt/line_edit_fields.h"

#include <QLineEdit>

#include "qt/ipv4_field.h"
#include "qt/utf8_text.h"

namespace lenscout {

std::string LineEditFields::text(DialogField field) const {
    const QLineEdit* edit = edits_.at(field);
    return isAddressField(field) ? ipv4FieldText(edit) : utf8Of(edit->text());
}

void LineEditFields::setText(DialogField field, const std::string& text) { edits_.at(field)->setText(qtText(text)); }

}  // namespace lenscout
