#pragma once
// The discovery socket and its broadcast, as the worker uses them; doctor
// uses the same, so that what it reports is what the program does.
#include <vector>

#include "platform/broadcast.h"
#include "platform/interface_table.h"
#include "platform/socket.h"
#include "protocol/packet_writer.h"

namespace lenscout {

// Room for a burst of replies from a large network while a pass is busy.
constexpr int kDiscoveryReceiveBuffer = 4 * 1024 * 1024;

// A UDP socket that may broadcast, bound to the discovery port, or to any
// port when another program holds that one (`*ownPort` says which), with a
// large receive buffer and the arrival of each datagram. Invalid when no
// such socket can be had.
Socket openDiscoverySocket(bool* ownPort = nullptr);

// The message in `writer` to 255.255.255.255 on the discovery port, out
// through every link of `links` (as the routes decide without a table).
BroadcastOutcome broadcastDiscovery(SocketHandle s, const PacketWriter& writer, const std::vector<Ipv4Interface>* links,
                                    bool oncePerLink = false);
// The same, out of one link only, from its address.
SendResult sendDiscoveryVia(SocketHandle s, const PacketWriter& writer, const Ipv4Interface& link);

}  // namespace lenscout
