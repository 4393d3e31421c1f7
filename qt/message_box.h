#pragma once
// The program's message boxes: OK only, a warning icon, the application's
// name as caption, modal to the window they belong to.
#include <functional>

class QWidget;

namespace lenscout {

// Shows a text and returns once the user has closed the box.
using MessageBoxFn = std::function<void(QWidget* parent, const char* text)>;
void showMessageBox(QWidget* parent, const char* text);

}  // namespace lenscout
