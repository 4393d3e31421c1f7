#include "qt/gbk_text.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

#include "app/string_table.h"

namespace lenscout {

QString fromGbk(std::string_view gbk) {
    QStringDecoder decoder("GBK");
    return decoder(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
}

QString unicodeText(int row) { return fromGbk(CurrentText(row)); }

std::string toGbk(const QString& text) {
    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder(text);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace lenscout
