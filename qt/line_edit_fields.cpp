#include "qt/line_edit_fields.h"

#include <QLineEdit>

#include "qt/gbk_text.h"
#include "qt/ipv4_field.h"

namespace lenscout {

std::string LineEditFields::text(DialogField field) const {
    const QLineEdit* edit = edits_.at(field);
    return isAddressField(field) ? ipv4FieldText(edit) : toGbk(edit->text());
}

void LineEditFields::setText(DialogField field, const std::string& gbk) { edits_.at(field)->setText(fromGbk(gbk)); }

}  // namespace lenscout
