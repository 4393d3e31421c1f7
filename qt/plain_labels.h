#pragma once
class QLabel;
class QWidget;

namespace lenscout {

// Every label of the dialog shows its text as it is: a camera's ID or name
// with markup in it is text, never formatting.
void keepLabelsPlain(QWidget* dialog);

// A label whose value the user may select and copy.
void makeSelectable(QLabel* label);

}  // namespace lenscout
