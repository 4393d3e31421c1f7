#pragma once
// The program's message boxes: OK only, the application's name as caption.
#include <windows.h>

#include <functional>

namespace lenscout {

// Shows a text over `owner` and returns once the user has closed it.
using MessageBoxFn = std::function<void(HWND owner, const char* text)>;
void showMessageBox(HWND owner, const char* text);

}  // namespace lenscout
