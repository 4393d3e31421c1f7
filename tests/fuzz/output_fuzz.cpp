// What every command's output passes a camera's or a user's text through:
// the terminal escape, the CSV field and the JSON string. Each is checked
// against a rule written here, not against the code that makes it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "site/output_text.h"
#include "site/plan_csv.h"

namespace {

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// A JSON string literal by RFC 8259: quotes around, no raw control byte,
// and only the escapes it lists.
bool validJsonString(const std::string& s) {
    if (s.size() < 2 || s.front() != '"' || s.back() != '"') return false;
    for (size_t i = 1; i + 1 < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x20 || c == '"') return false;
        if (c != '\\') continue;
        if (++i + 1 >= s.size()) return false;
        const char e = s[i];
        if (e == 'u') {
            if (i + 4 >= s.size() || !isHex(s[i + 1]) || !isHex(s[i + 2]) || !isHex(s[i + 3]) || !isHex(s[i + 4]))
                return false;
            i += 4;
        } else if (std::string("\"\\/bfnrt").find(e) == std::string::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (unsigned char c : lenscout::terminalSafe(text))
        if (c < 0x20 || c == 0x7f) __builtin_trap();
    if (!validJsonString(lenscout::jsonString(text))) __builtin_trap();
    // A field read back by the plan's CSV reader is the text it was made of,
    // with a ' before it when a spreadsheet would take it for a formula.
    std::vector<std::pair<int, std::vector<std::string>>> records;
    std::string error;
    const std::string line = "id," + lenscout::csvField(text) + "\r\n";
    if (!lenscout::parseCsv(line, &records, &error)) __builtin_trap();
    const bool formula = !text.empty() && std::string("=+-@\t\r").find(text[0]) != std::string::npos;
    const std::string expected = formula ? "'" + text : text;
    if (records.size() != 1 || records[0].second.size() != 2 || records[0].second[1] != expected) __builtin_trap();
    return 0;
}
