#include "tools/flood/bad_datagrams.h"

#include <cstring>

#include "tools/camsim/sim_codec.h"

namespace lenscout {

namespace {

using Bytes = std::vector<uint8_t>;

using namespace sim;

// A message whose header announces `announced` payload bytes, true or not.
Bytes message(const char* magic, uint16_t command, const Bytes& payload, uint32_t announced, const uint8_t* key) {
    const Bytes k = key ? Bytes(key, key + 8) : Bytes();
    Bytes m = encode(magic, command, payload, key ? &k : nullptr);
    Bytes lengths;
    putLe32(lengths, announced);
    putLe32(lengths, announced);
    std::memcpy(m.data() + 15, lengths.data(), 8);
    return m;
}

Bytes message(uint16_t command, const Bytes& payload, const uint8_t* key = nullptr) {
    return message(kDiscovery, command, payload, static_cast<uint32_t>(payload.size()), key);
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
        message(kCmdSearchReply, {}),                                 // 23 bytes
        message(kCmdSearchReply, Bytes(65507 - kHeaderBytes, 0x41)),  // the largest datagram
        message("MO_M", kCmdSearchReply, Bytes(64, 1), 64, nullptr),  // another magic
        message("XXXX", kCmdSearchReply, Bytes(64, 1), 64, nullptr),
        message(kDiscovery, kCmdSearchReply, Bytes(64, 1), 200, nullptr),  // length too long
        message(kDiscovery, kCmdSearchReply, Bytes(64, 1), 10, nullptr),   // length too short
        message(kDiscovery, kCmdSearchReply, Bytes(64, 1), 0xffffffffu, nullptr),
        message(kCmdSearchReply, Bytes(63, 2)),  // one byte short
        message(kCmdSearchReply, Bytes(63, 2), key),
        message(kCmdSearchReply, unterminatedReply('U')),
        message(kCmdSearchReply, unterminatedReply('S'), key),
        message(kCmdSearch, {0, 0, 0, 1}),
        message(kCmdSetNetwork, Bytes(61, 0)),
        message(77, Bytes(10, 3)),
    };
    // Results with every code a camera might send, but the one that reads
    // as the worker's own failure.
    for (uint32_t code = 0; code <= 0xffff; code += 257) {
        if (code == 0xfffe) continue;
        const Bytes payload = {static_cast<uint8_t>(code), static_cast<uint8_t>(code >> 8)};
        kinds.push_back(message(kCmdResult, payload, (code & 1) ? key : nullptr));
    }
    for (uint32_t code : {1u, 2u, 5u, 6u, 0xffffu, 0x8000u})
        kinds.push_back(message(kCmdResult, {static_cast<uint8_t>(code), static_cast<uint8_t>(code >> 8)}));
    return kinds;
}

std::vector<uint8_t> floodReply(const std::string& id, uint32_t ipNet) {
    Bytes p;
    putText(p, id, 13);
    putText(p, "Flood", 21);
    for (int i = 0; i < 4; ++i) p.push_back(reinterpret_cast<const uint8_t*>(&ipNet)[i]);
    const uint8_t rest[] = {255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 80};
    p.insert(p.end(), rest, rest + sizeof rest);
    return message(kCmdSearchReply, p);
}

std::vector<uint8_t> floodResult(uint16_t code) {
    Bytes p;
    putLe16(p, code);
    return message(kCmdResult, p);
}

}  // namespace lenscout
