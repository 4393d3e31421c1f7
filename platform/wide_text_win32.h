#pragma once
// Text between a Windows code page and UTF-16, for the W calls: the system's
// own files and the Win32 windows share these.
#include <windows.h>

#include <string>
#include <string_view>

namespace lenscout {

constexpr UINT kGbkCodePage = 936;

// Empty when the text does not convert under `flags`.
std::wstring widen(UINT page, std::string_view text, DWORD flags = 0);
// One character into `page`; false when the page has no such character.
bool narrowOne(UINT page, std::wstring_view c, std::string& out);
// Character by character, so that one that does not convert is dropped
// and the rest still goes.
std::string narrow(UINT page, std::wstring_view text);

}  // namespace lenscout
