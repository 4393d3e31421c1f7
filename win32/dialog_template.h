#pragma once
// A dialog template made in memory (DLGTEMPLATEEX), for a dialog whose
// controls come from a table at run time rather than from lenscout.rc. It
// has the program's dialog font and frame, as the templates of the
// resources do.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/properties_layout.h"

namespace lenscout {

// The system's predefined control classes, by their atoms.
enum class ControlClass : WORD { Button = 0x0080, Edit = 0x0081, Static = 0x0082 };

class DialogTemplate {
public:
    explicit DialogTemplate(const DialogRect& frame);
    void add(ControlClass kind, int id, DWORD style, const DialogRect& at);
    // The template, ready for DialogBoxIndirectParamW.
    const std::vector<WORD>& words() const { return words_; }

private:
    void put(DWORD value);
    void put(const std::wstring& text);

    std::vector<WORD> words_;
    size_t countAt_;
};

// Laying out a dialog made so, once its font is known.
// The text's width in dialog units in the dialog's font, an access key's
// '&' aside.
int unitsAcross(HWND dialog, const std::wstring& text);
// The width the widest of these controls' texts needs, in dialog units.
int widestText(HWND dialog, const std::vector<int>& ids);
void placeControl(HWND dialog, int id, const DialogRect& at);
// The dialog's client area sized to `frame`.
void sizeClient(HWND dialog, const DialogRect& frame);

}  // namespace lenscout
