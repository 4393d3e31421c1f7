#pragma once
// What every command's output passes through: JSON string literals, camera
// texts made safe for a terminal, and CSV fields.
#include <string>

namespace lenscout {

// A JSON string literal of UTF-8 text; control bytes become \u escapes.
std::string jsonString(const std::string& utf8);

// UTF-8 text as a terminal may show it, in the terminal's encoding: control
// bytes (C0 and DEL) become \xNN, so that no camera can move the cursor,
// retitle the window or write to the clipboard.
std::string terminalSafe(const std::string& text);

// One CSV field: quoted, with its quotes doubled, when it holds a comma, a
// quote or a line end. One that a spreadsheet would take for a formula
// (=, +, -, @, a tab or CR first) gets a ' before it, and quotes; a plan
// reads it back without.
std::string csvField(const std::string& text);

}  // namespace lenscout
