#pragma once
// The program's UTF-8 texts at the window boundary: every text goes to and
// comes from the W calls as UTF-16, so that every language shows on a
// Windows of any display language.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/dialog_texts.h"

namespace lenscout {

std::wstring wideFromUtf8(std::string_view utf8);
std::string utf8FromWide(std::wstring_view wide);

// A window's text, and setting it.
std::wstring windowText(HWND window);
void setWindowUtf8(HWND window, std::string_view utf8);
void setItemUtf8(HWND dialog, int item, std::string_view utf8);
void setItemRow(HWND dialog, int item, int row);

// A label or button text with its access key: `key` underlined where the
// text holds it ("Subnet &Mask"), else after it as Chinese Windows shows
// keys ("子网掩码(&M)"). An '&' of the text itself is kept as one.
std::wstring withAccessKey(std::wstring text, wchar_t key);
// Sets each control of the table to its row with its key, the dialogs'
// mnemonics, finding it by its name in resource.h (controlId).
void setControlTexts(HWND dialog, const std::vector<ControlText>& texts);

}  // namespace lenscout
