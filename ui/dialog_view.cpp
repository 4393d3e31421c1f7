#include "ui/dialog_view.h"

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "ui/network_settings.h"

namespace lenscout {

namespace {

template <size_t N>
void takeField(DialogFields& fields, DialogField field, char (&into)[N]) {
    setFieldText(into, cutGbkCredential(fields.text(field)));
    fields.setText(field, std::string(fieldText(into)));
}

}  // namespace

bool isAddressField(DialogField f) {
    return f == DialogField::Ip || f == DialogField::Mask || f == DialogField::Gateway || f == DialogField::Dns;
}

bool takeCredentials(DialogView& view, CameraInfo& camera) {
    takeField(view.fields(), DialogField::User, camera.user);
    if (fieldText(camera.user).empty()) {
        view.showMessage(kTextIncorrectCredentials);
        return false;
    }
    takeField(view.fields(), DialogField::Password, camera.password);
    return true;
}

}  // namespace lenscout
