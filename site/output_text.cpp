#include "site/output_text.h"

#include <cstdio>

#include "platform/text_codecs.h"

namespace lenscout {

std::string jsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string terminalSafe(const std::string& text) {
    std::string safe;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b != 0x7f) {
            safe += c;
            continue;
        }
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02x", b);
        safe += escape;
    }
    return utf8ToTerminal(safe);
}

// A spreadsheet takes a cell that starts so for a formula: a camera's name,
// chosen by anyone on the LAN, must not run as one.
std::string csvField(const std::string& text) {
    const bool formula = !text.empty() && std::string("=+-@\t\r").find(text[0]) != std::string::npos;
    const std::string value = formula ? "'" + text : text;
    if (!formula && value.find_first_of(",\"\r\n") == std::string::npos) return value;
    std::string quoted = "\"";
    for (char c : value) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace lenscout
