#pragma once
// What every camera dialog does once its template is set up: a dialog's
// frame (title and close box only), the dialog font, its sizes from the
// dialog units, plain-text labels; and its texts set from string-table rows.
#include <initializer_list>
#include <utility>
#include <vector>

#include "ui/dialog_texts.h"

class QDialog;
class QWidget;

namespace lenscout {

void setUpCameraDialog(QDialog* dialog);

// Each label or button with its row's text in the current language.
void setRowTexts(std::initializer_list<std::pair<QWidget*, int>> texts);
// The same for the dialog's controls of the table, by their object names.
void setControlTexts(QDialog* dialog, const std::vector<ControlText>& texts);

}  // namespace lenscout
