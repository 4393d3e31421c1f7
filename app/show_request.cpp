#include "app/show_request.h"

#include <algorithm>

namespace lenscout {

namespace {

constexpr std::string_view kShow = "show";

bool plausibleToken(std::string_view token) {
    if (token.empty() || token.size() > kLongestShowRequest - kShow.size() - 2) return false;
    return std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 0x7f; });
}

}  // namespace

std::optional<std::string> parseShowRequest(std::string_view line) {
    if (line == kShow) return std::string();
    if (line.size() <= kShow.size() || line.substr(0, kShow.size()) != kShow || line[kShow.size()] != ' ')
        return std::nullopt;
    const std::string_view token = line.substr(kShow.size() + 1);
    if (!plausibleToken(token)) return std::nullopt;
    return std::string(token);
}

std::string showRequest(std::string_view token) {
    return std::string(kShow) + (plausibleToken(token) ? " " + std::string(token) : "") + "\n";
}

}  // namespace lenscout
