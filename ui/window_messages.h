#pragma once
// Messages to the main window from its own parts, beside the worker's.
#include <cstdint>

namespace lenscout {

constexpr uint32_t WM_TRAYNOTIFY = 1025;   // lParam: the mouse message on the tray icon
constexpr uint32_t WM_LIST_RCLICK = 1029;  // a right-button press in the camera list

}  // namespace lenscout
