#include "tools/flood/bad_datagrams.h"

#include <cstring>

#include "discovery/discovery_messages.h"
#include "protocol/packet_header.h"
#include "protocol/payload.h"

namespace lenscout {

namespace {

using Bytes = std::vector<uint8_t>;

Bytes message(const char* magic, uint16_t command, const Bytes& payload, uint32_t announced, const uint8_t* key) {
    Bytes m(kHeaderSize, 0);
    std::memcpy(m.data(), magic, 4);
    storeLe16(m.data() + kCommandOffset, command);
    storeLe32(m.data() + kPayloadLengthOffset, announced);
    storeLe32(m.data() + kAppendedLengthOffset, announced);
    Bytes body = payload;
    if (key) {
        m[kScrambledOffset] = 1;
        std::memcpy(m.data() + kKeyOffset, key, kKeySize);
        descramble(body.data(), body.size(), key);
    }
    m.insert(m.end(), body.begin(), body.end());
    return m;
}

Bytes message(uint16_t command, const Bytes& payload, const uint8_t* key = nullptr) {
    return message(kDiscoveryMagic, command, payload, static_cast<uint32_t>(payload.size()), key);
}

// A reply whose ID and name fill their fields without a zero byte.
Bytes unterminatedReply(uint8_t fill) {
    Bytes p(64, fill);
    std::memset(p.data() + 34, 0, 30);
    return p;
}

}  // namespace

std::vector<Bytes> badDatagrams() {
    static const uint8_t key[8] = {0x5a, 0xa5, 0x3c, 0xc3, 0x0f, 0xf0, 0x69, 0x96};
    std::vector<Bytes> kinds = {
        {},
        {0x4d},
        message(CMD_SEARCH_REPLY, {}),                                          // 23 bytes
        message(CMD_SEARCH_REPLY, Bytes(65507 - kHeaderSize, 0x41)),            // the largest datagram
        message("MO_M", CMD_SEARCH_REPLY, Bytes(64, 1), 64, nullptr),           // another magic
        message("XXXX", CMD_SEARCH_REPLY, Bytes(64, 1), 64, nullptr),
        message(kDiscoveryMagic, CMD_SEARCH_REPLY, Bytes(64, 1), 200, nullptr),  // length too long
        message(kDiscoveryMagic, CMD_SEARCH_REPLY, Bytes(64, 1), 10, nullptr),   // length too short
        message(kDiscoveryMagic, CMD_SEARCH_REPLY, Bytes(64, 1), 0xffffffffu, nullptr),
        message(CMD_SEARCH_REPLY, Bytes(63, 2)),                                // one byte short
        message(CMD_SEARCH_REPLY, Bytes(63, 2), key),
        message(CMD_SEARCH_REPLY, unterminatedReply('U')),
        message(CMD_SEARCH_REPLY, unterminatedReply('S'), key),
        message(CMD_SEARCH, {0, 0, 0, 1}),
        message(CMD_SET_NETWORK, Bytes(61, 0)),
        message(77, Bytes(10, 3)),
    };
    // Results with every code a camera might send, but the one that reads
    // as the worker's own failure.
    for (uint32_t code = 0; code <= 0xffff; code += 257) {
        if (code == 0xfffe) continue;
        const Bytes payload = {static_cast<uint8_t>(code), static_cast<uint8_t>(code >> 8)};
        kinds.push_back(message(CMD_RESULT, payload, (code & 1) ? key : nullptr));
    }
    for (uint32_t code : {1u, 2u, 5u, 6u, 0xffffu, 0x8000u})
        kinds.push_back(message(CMD_RESULT, {static_cast<uint8_t>(code), static_cast<uint8_t>(code >> 8)}));
    return kinds;
}

}  // namespace lenscout
