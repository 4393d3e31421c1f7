// One datagram from the network, as the discovery worker takes it.
#include <cstddef>
#include <cstdint>

#include "discovery/discovery_messages.h"
#include "discovery/same_subnet.h"
#include "protocol/packet_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lenscout;
    static DatagramReader reader;
    static const std::vector<Ipv4Interface> table = {{0x0100007f, 0x000000ff}, {0x0501a8c0, 0x00ffffff}};
    if (!reader.load(data, size)) return 0;
    uint16_t command = 0;
    if (!reader.parseHeader(&command, kDiscoveryMagic)) return 0;
    if (command == CMD_SEARCH_REPLY) {
        if (auto camera = parseSearchReply(reader)) applySameSubnet(*camera, &table);
    } else if (command == CMD_RESULT) {
        uint16_t code = 0;
        parseResult(reader, &code);
    }
    return 0;
}
