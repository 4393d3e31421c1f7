#pragma once
#include <string>
#include <string_view>

namespace lenscout {

// Texts inside the system are GBK bytes; the tools read and print UTF-8.
// Bytes that do not convert are kept as "\xNN" escapes (to UTF-8) or
// dropped (to GBK), so that neither direction fails.
std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);

}  // namespace lenscout
