#pragma once
#include "ui/properties_layout.h"

class QString;
class QWidget;

namespace lenscout {

// Sizes a dialog built from a template in dialog units: every widget with a
// "dialogUnits" property "x,y,width,height" (the dialog itself with its
// size) is placed by its font's units, a quarter of the average character
// width across and an eighth of the height down.
void applyDialogUnits(QWidget* dialog);
// Gives a widget built at run time its place (the dialog: its size).
void setDialogUnits(QWidget* widget, const DialogRect& place);

// How many dialog units across the text needs in the dialog's font.
int dialogUnitsAcross(const QWidget* dialog, const QString& text);

}  // namespace lenscout
