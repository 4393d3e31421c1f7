#include "win32/message_box.h"

#include "win32/wide_text.h"

namespace lenscout {

void showMessageBox(HWND owner, const char* text) {
    // Every message of the program is a warning or an error: the icon says so
    // before the text is read, as on the Qt desktop.
    MessageBoxW(owner, wideFromUtf8(text).c_str(), L"Lenscout", MB_OK | MB_ICONWARNING);
}

}  // namespace lenscout
