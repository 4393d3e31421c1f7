#pragma once
// The user-name and password fields of the camera dialogs.
#include <QString>
#include <string>

#include "discovery/camera_info.h"
#include "qt/message_box.h"

class QLineEdit;
class QWidget;

namespace lenscout {

// At most 11 GBK bytes of a credential, never half a character.
std::string cutCredential(const QString& text);

// Stores both fields into the record, cut to what the camera takes, and
// shows them cut. Without a user name it says "Incorrect user or password !"
// and returns false, the password unread.
bool takeCredentials(QLineEdit* user, QLineEdit* password, CameraInfo& camera, const MessageBoxFn& messageBox,
                     QWidget* parent);

}  // namespace lenscout
