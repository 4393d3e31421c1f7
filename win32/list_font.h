#pragma once
// The camera list's font: fixed-pitch, so that the blank-padded name column
// puts the status at one x on every line, and holding GBK's characters, as
// the Qt desktop's list does. The dialogs keep their own font.
#include <windows.h>

#include <string>

namespace lenscout {

// The face, found once: NSimSun where it is installed, else a fixed-pitch
// TrueType face for GB2312, else any fixed-pitch TrueType face.
const std::wstring& listFontFace();
// The list's font at `dpi`: 14 pixels high at 96 dots per inch, semi-bold.
HFONT makeListFont(UINT dpi);

}  // namespace lenscout
