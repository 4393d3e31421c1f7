#include "qt/credentials_dlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "app/string_table.h"
#include "qt/camera_dialog.h"
#include "qt/dialog_units.h"
#include "qt/utf8_text.h"
#include "ui/properties_layout.h"

namespace lenscout {

namespace {

// The controls take the names of the other credentials dialogs' controls,
// so that their texts and their tests' finders are the same.
template <class Widget>
Widget* named(QDialog* dialog, const char* name) {
    auto* w = new Widget(dialog);
    w->setObjectName(QLatin1String(name));
    return w;
}

}  // namespace

CCredentialsDlg::CCredentialsDlg(MessageBoxFn messageBox)
    : messageBox_(std::move(messageBox)),
      userLabel_(named<QLabel>(this, "IDC_LABEL_USER")),
      passwordLabel_(named<QLabel>(this, "IDC_LABEL_PASSWORD")),
      user_(named<QLineEdit>(this, "IDC_USER")),
      password_(named<QLineEdit>(this, "IDC_PASSWORD")),
      ok_(named<QPushButton>(this, "IDOK")),
      cancel_(named<QPushButton>(this, "IDCANCEL")) {
    // Each label names its field for a screen reader and gives it its key.
    userLabel_->setBuddy(user_);
    passwordLabel_->setBuddy(password_);
    password_->setEchoMode(QLineEdit::Password);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &CCredentialsDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CCredentialsDlg::reject);
    fields_.add(DialogField::User, user_);
    fields_.add(DialogField::Password, password_);
    setUpCameraDialog(this);
}

void CCredentialsDlg::OnInitDialog() {
    setWindowTitle(qtText(title()));
    setControlTexts(this, credentialsDialogTexts());
    user_->setText(QLatin1String(kDefaultUser));
    password_->clear();
    // The label column as wide as its longer text.
    const int widest =
        std::max(dialogUnitsAcross(this, userLabel_->text()), dialogUnitsAcross(this, passwordLabel_->text()));
    const CredentialsLayout l = credentialsLayout(widest);
    const std::pair<QWidget*, DialogRect> places[] = {{this, l.frame},         {userLabel_, l.userLabel},
                                                      {user_, l.user},         {passwordLabel_, l.passwordLabel},
                                                      {password_, l.password}, {ok_, l.ok},
                                                      {cancel_, l.cancel}};
    for (const auto& [widget, rect] : places) setDialogUnits(widget, rect);
    applyDialogUnits(this);
    password_->setFocus();
}

void CCredentialsDlg::showMessage(int textRow) { messageBox_(this, CurrentText(textRow)); }

}  // namespace lenscout
