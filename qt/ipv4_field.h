#pragma once
// A line edit as an IPv4 address field: four numbers of 0 to 255, read as
// dotted text with an empty part counting as 0.
#include <cstdint>
#include <string>

class QLineEdit;

namespace lenscout {

void makeIpv4Field(QLineEdit* field);
void setIpv4Field(QLineEdit* field, uint32_t addrNet);
std::string ipv4FieldText(const QLineEdit* field);

}  // namespace lenscout
