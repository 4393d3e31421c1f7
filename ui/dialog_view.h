#pragma once
// What a camera dialog's window offers the presenter behind it: its fields
// as UTF-8 text and its message box. Each desktop implements it over its own
// controls; tests implement it in memory.
#include <string>

#include "discovery/camera_request.h"

namespace lenscout {

enum class DialogField { User, Password, Port, Ip, Mask, Gateway, Dns };
// The four fields that hold an IPv4 address.
bool isAddressField(DialogField field);

// A dialog's fields, each a control of its toolkit.
class DialogFields {
public:
    virtual ~DialogFields() = default;
    virtual std::string text(DialogField field) const = 0;
    virtual void setText(DialogField field, const std::string& text) = 0;
};

class DialogView {
public:
    virtual ~DialogView() = default;
    virtual DialogFields& fields() = 0;
    // A modal warning with the row's text in the current language.
    virtual void showMessage(int textRow) = 0;
};

// The user and password fields into `credentials`, each cut to what a
// camera takes and shown as taken. An empty user is refused with "Incorrect
// user or password !", before the password is looked at.
bool takeCredentials(DialogView& view, Credentials& credentials);

}  // namespace lenscout
