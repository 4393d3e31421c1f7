#pragma once
class QWidget;

namespace lenscout {

// Sizes a dialog built from a template in dialog units: every widget with a
// "dialogUnits" property "x,y,width,height" (the dialog itself with its
// size) is placed by its font's units, a quarter of the average character
// width across and an eighth of the height down.
void applyDialogUnits(QWidget* dialog);

}  // namespace lenscout
