#include "discovery/camera_text.h"

#include <cstdio>
#include <cstring>

namespace lenscout {

std::string_view fieldText(const char* field, size_t size) {
    const void* end = std::memchr(field, 0, size);
    return std::string_view(field, end ? static_cast<const char*>(end) - field : size);
}

void setFieldText(char* field, size_t size, std::string_view text) {
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), text.size() < size ? text.size() : size - 1);
}

std::string dottedQuad(uint32_t value) {
    unsigned char b[4];
    std::memcpy(b, &value, 4);
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
    return text;
}

}  // namespace lenscout
