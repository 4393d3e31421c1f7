#include "win32/message_box.h"

#include "win32/wide_text.h"

namespace lenscout {

void showMessageBox(HWND owner, const char* gbkText) {
    MessageBoxW(owner, wideFromGbk(gbkText).c_str(), L"Lenscout", MB_OK);
}

}  // namespace lenscout
