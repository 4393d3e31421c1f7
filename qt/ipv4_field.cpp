#include "qt/ipv4_field.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStringList>

#include "discovery/camera_text.h"

namespace lenscout {

void makeIpv4Field(QLineEdit* field) {
    static const QRegularExpression quad(
        QStringLiteral(R"(^((25[0-5]|2[0-4]\d|1?\d?\d)?\.){0,3}(25[0-5]|2[0-4]\d|1?\d?\d)?$)"));
    field->setValidator(new QRegularExpressionValidator(quad, field));
}

void setIpv4Field(QLineEdit* field, uint32_t addrNet) { field->setText(QString::fromStdString(dottedQuad(addrNet))); }

std::string ipv4FieldText(const QLineEdit* field) {
    QStringList parts = field->text().split(QLatin1Char('.'));
    while (parts.size() < 4) parts << QString();
    QStringList numbers;
    for (int i = 0; i < 4; ++i) numbers << QString::number(qBound(0, parts[i].toInt(), 255));
    return numbers.join(QLatin1Char('.')).toStdString();
}

}  // namespace lenscout
