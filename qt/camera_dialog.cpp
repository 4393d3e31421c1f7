#include "qt/camera_dialog.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>

#include "app/string_table.h"
#include "qt/dialog_units.h"
#include "qt/fonts.h"
#include "qt/plain_labels.h"
#include "qt/utf8_text.h"

namespace lenscout {

void setUpCameraDialog(QDialog* dialog) {
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setFont(dialogFont());
    applyDialogUnits(dialog);
    keepLabelsPlain(dialog);
}

namespace {

void setRowText(QWidget* widget, int row) {
    if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(qtText(CurrentText(row)));
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(qtText(CurrentText(row)));
}

}  // namespace

void setRowTexts(std::initializer_list<std::pair<QWidget*, int>> texts) {
    for (const auto& [widget, row] : texts) setRowText(widget, row);
}

void setControlTexts(QDialog* dialog, const std::vector<ControlText>& texts) {
    for (const ControlText& t : texts) setRowText(dialog->findChild<QWidget*>(QLatin1String(t.control)), t.row);
}

}  // namespace lenscout
