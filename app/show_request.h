#pragma once
// What a later start sends the running instance: "show", then a space and
// the launcher's activation token when the start was given one.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lenscout {

constexpr size_t kLongestShowRequest = 512;

// The token of "show" (empty) or "show TOKEN" as one whole line, without
// its newline; nothing for any other line. A token is a word of printable
// ASCII, as the activation protocol hands it out.
std::optional<std::string> parseShowRequest(std::string_view line);
// The line a later start sends, newline included; a token that is not
// plausible is left out.
std::string showRequest(std::string_view token);

}  // namespace lenscout
