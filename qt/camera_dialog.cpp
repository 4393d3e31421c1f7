#include "qt/camera_dialog.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>

#include "qt/dialog_units.h"
#include "qt/fonts.h"
#include "qt/gbk_text.h"
#include "qt/plain_labels.h"

namespace lenscout {

void setUpCameraDialog(QDialog* dialog) {
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setFont(dialogFont());
    applyDialogUnits(dialog);
    keepLabelsPlain(dialog);
}

void setRowTexts(std::initializer_list<std::pair<QWidget*, int>> texts) {
    for (const auto& [widget, row] : texts) {
        if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(unicodeText(row));
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(unicodeText(row));
    }
}

}  // namespace lenscout
