#pragma once
// A broadcast sent out on every link of the machine.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/interface_table.h"
#include "platform/socket.h"

namespace lenscout {

struct BroadcastOutcome {
    int sent = 0;     // datagrams that left, one per address
    int skipped = 0;  // addresses whose link or route was missing
    bool socketFailed = false;
};

// Sends one datagram to the broadcast address addrNet:portNet through every
// address that searchesThrough() accepts, each with that address as its
// source; without a table it is one send as the routes decide. A link that
// is missing is skipped; only a failure of the socket itself sets
// socketFailed.
BroadcastOutcome broadcastOnEveryLink(SocketHandle s, const void* data, size_t count, uint32_t addrNet,
                                      uint16_t portNet, const std::vector<Ipv4Interface>* interfaces);

}  // namespace lenscout
