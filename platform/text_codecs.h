#pragma once
// The program's texts are UTF-8. GBK is a camera's: its ID, name and
// credentials on the wire. The terminal's encoding is the command line's.
// Bytes that do not convert are kept as "\xNN" escapes (into UTF-8 or the
// terminal) or dropped (into GBK), so that no direction fails.
#include <string>
#include <string_view>

namespace lenscout {

std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);
// A camera's text as the desktops show it: on Windows as the system's code
// page 936 reads any bytes, elsewhere as gbkToUtf8.
std::string gbkToShown(std::string_view gbk);
// To and from the encoding of the user's locale (UTF-8 where the locale
// names plain ASCII): what a terminal shows and what is typed there.
std::string utf8ToTerminal(std::string_view utf8);
std::string terminalToUtf8(std::string_view text);

}  // namespace lenscout
