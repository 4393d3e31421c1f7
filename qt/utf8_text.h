#pragma once
// The program's texts, UTF-8, at the window boundary.
#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace lenscout {

inline QString qtText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string utf8Of(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace lenscout
