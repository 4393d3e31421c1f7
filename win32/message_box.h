#pragma once
// The program's message boxes: OK only, the application's name as caption.
#include <windows.h>

#include <functional>

namespace lenscout {

// Shows a GBK text over `owner` and returns once the user has closed it.
using MessageBoxFn = std::function<void(HWND owner, const char* gbkText)>;
void showMessageBox(HWND owner, const char* gbkText);

}  // namespace lenscout
