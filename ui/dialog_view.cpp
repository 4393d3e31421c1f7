#include "ui/dialog_view.h"

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "platform/secrets.h"
#include "platform/text_codecs.h"
#include "ui/network_settings.h"

namespace lenscout {

namespace {

// The widget's copy of the text is the toolkit's; the ones made here are
// wiped.
template <size_t N>
void takeField(DialogFields& fields, DialogField field, char (&into)[N]) {
    std::string typed = fields.text(field);
    std::string gbk = utf8ToGbk(typed);
    std::string taken = cutGbkCredential(gbk);
    setFieldText(into, taken);
    wipe(typed);
    wipe(gbk);
    wipe(taken);
    taken = gbkToUtf8(fieldText(into));
    fields.setText(field, taken);
    wipe(taken);
}

}  // namespace

bool isAddressField(DialogField f) {
    return f == DialogField::Ip || f == DialogField::Mask || f == DialogField::Gateway || f == DialogField::Dns;
}

bool takeCredentials(DialogView& view, Credentials& credentials) {
    takeField(view.fields(), DialogField::User, credentials.user);
    if (fieldText(credentials.user).empty()) {
        view.showMessage(kTextIncorrectCredentials);
        return false;
    }
    // From the first password on, this process leaves no core dump, as the
    // command-line tools do.
    keepSecretsFromDumps();
    takeField(view.fields(), DialogField::Password, credentials.password);
    return true;
}

}  // namespace lenscout
