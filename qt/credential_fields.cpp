#include "qt/credential_fields.h"

#include <QLineEdit>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "qt/gbk_text.h"
#include "ui/network_settings.h"

namespace lenscout {

std::string cutCredential(const QString& field) { return cutGbkCredential(toGbk(field)); }

namespace {

template <size_t N>
void takeField(QLineEdit* field, char (&into)[N]) {
    setFieldText(into, cutCredential(field->text()));
    field->setText(fromGbk(fieldText(into)));
}

}  // namespace

bool takeCredentials(QLineEdit* user, QLineEdit* password, CameraInfo& camera, const MessageBoxFn& messageBox,
                     QWidget* parent) {
    takeField(user, camera.user);
    if (fieldText(camera.user).empty()) {
        messageBox(parent, CurrentText(kTextIncorrectCredentials));
        return false;
    }
    takeField(password, camera.password);
    return true;
}

}  // namespace lenscout
