#pragma once
// Raw messages for tests, built by hand rather than by the writer under test.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/socket.h"

namespace lenscout::test {

// An address in network byte order.
inline uint32_t ip(const char* text) {
    uint32_t v = 0;
    parseIpv4(text, &v);
    return v;
}

// Bytes from hex digits, two a byte, as the tests write them out.
inline std::vector<uint8_t> fromHex(const std::string& hex) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return out;
}

inline std::vector<uint8_t> rawMessage(const char* magic, uint16_t command, const std::vector<uint8_t>& payload,
                                       uint32_t payloadLength, const uint8_t* key = nullptr) {
    std::vector<uint8_t> m(magic, magic + 4);
    m.push_back(static_cast<uint8_t>(command));
    m.push_back(static_cast<uint8_t>(command >> 8));
    m.push_back(key ? 1 : 0);
    for (int i = 0; i < 8; ++i) m.push_back(key ? key[i] : 0);
    for (int twice = 0; twice < 2; ++twice)
        for (int i = 0; i < 4; ++i) m.push_back(static_cast<uint8_t>(payloadLength >> (8 * i)));
    for (size_t i = 0; i < payload.size(); ++i) m.push_back(key ? payload[i] ^ key[i % 8] : payload[i]);
    return m;
}

inline std::vector<uint8_t> rawMessage(const char* magic, uint16_t command, const std::vector<uint8_t>& payload) {
    return rawMessage(magic, command, payload, static_cast<uint32_t>(payload.size()));
}

}  // namespace lenscout::test
