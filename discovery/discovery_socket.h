#pragma once
// The discovery socket and its broadcast, as the worker uses them; doctor
// uses the same, so that what it reports is what the program does.
#include <vector>

#include "discovery/discovery_port.h"
#include "platform/broadcast.h"
#include "platform/interface_table.h"
#include "platform/socket.h"
#include "protocol/packet_writer.h"

namespace lenscout {

// Room for a burst of replies from a large network while a pass is busy.
constexpr int kDiscoveryReceiveBuffer = 4 * 1024 * 1024;

// The sockets of the discovery ports: UDP, able to broadcast, with a large
// receive buffer and the arrival of each datagram. The first searches; a
// reply may come to any of them.
struct DiscoverySockets {
    // Host byte order, as in the list; `bound` says which of them this
    // program holds. Another program holding the first, its socket
    // searches from any port; holding a later one, that one is not heard.
    std::vector<uint16_t> ports;
    std::vector<bool> bound;
    std::vector<Socket> sockets;  // the first one's first
    std::vector<SocketHandle> handles;

    bool valid() const { return !sockets.empty(); }
    SocketHandle searching() const { return handles.front(); }
};
// Empty (not valid) when not even the searching socket can be had.
DiscoverySockets openDiscoverySockets(const std::vector<uint16_t>& ports = discoveryPorts());

// The message in `writer` to 255.255.255.255 on the first discovery port,
// out through every link of `links` (as the routes decide without a table).
BroadcastOutcome broadcastDiscovery(SocketHandle s, const PacketWriter& writer,
                                    const std::vector<Ipv4Interface>* links);
// The same, out of one link only, from its address.
SendResult sendDiscoveryVia(SocketHandle s, const PacketWriter& writer, const Ipv4Interface& link);

}  // namespace lenscout
