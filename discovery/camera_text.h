#pragma once
// Text fields come from the network and need not hold a zero byte; these
// read them without ever passing the end of the field.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lenscout {

std::string_view fieldText(const char* field, size_t size);

template <size_t N>
std::string_view fieldText(const char (&field)[N]) {
    return fieldText(field, N);
}

// Equal as texts: the bytes up to the first zero, at most the field's size.
template <size_t N>
bool sameText(const char (&a)[N], const char (&b)[N]) {
    // One pass that stops at the first difference: the list compares a
    // reply's ID with every known camera's.
    for (size_t i = 0; i < N; ++i) {
        if (a[i] != b[i]) return false;
        if (a[i] == '\0') return true;
    }
    return true;
}

// Fills the field with the text, cut to leave room for a zero byte, and
// zeros after it.
void setFieldText(char* field, size_t size, std::string_view text);

template <size_t N>
void setFieldText(char (&field)[N], std::string_view text) {
    setFieldText(field, N, text);
}

// "a.b.c.d" of a 32-bit value's bytes in the order they are stored: an
// address held in network byte order, or a camera's version number.
std::string dottedQuad(uint32_t value);

}  // namespace lenscout
