#pragma once
#include <string>
#include <string_view>

namespace lenscout {

// Texts inside the system are GBK bytes; the tools read and print UTF-8.
// Bytes that do not convert are kept as "\xNN" escapes (to UTF-8) or
// dropped (to GBK), so that neither direction fails.
std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);
// The same from and to the encoding of the user's locale (UTF-8 where the
// locale names plain ASCII), for what a terminal shows and what is typed.
std::string gbkToTerminal(std::string_view gbk);
std::string terminalToGbk(std::string_view text);

}  // namespace lenscout
