#pragma once
// The window boundary: texts inside the program are GBK bytes, the windows
// show Unicode.
#include <QString>
#include <string>
#include <string_view>

namespace lenscout {

QString fromGbk(std::string_view gbk);
std::string toGbk(const QString& text);
// A row of the string table in the current language, in Unicode as the
// windows show it (CurrentText gives the GBK bytes).
QString unicodeText(int row);

}  // namespace lenscout
