#include "discovery/discovery_socket.h"

#include "discovery/discovery_messages.h"

namespace lenscout {

namespace {

// Bound to `port`, or with `orAny` to any port when that one is taken.
Socket openOne(uint16_t port, bool orAny, bool* own) {
    Socket s = openUdpSocket();
    if (!s.valid() || !enableBroadcast(s.get())) return Socket();
    *own = bindAny(s.get(), toNetPort(port));
    if (!*own && (!orAny || !bindAny(s.get(), 0))) return Socket();
    setReceiveBuffer(s.get(), kDiscoveryReceiveBuffer);  // best effort: the system may cap it
    enableArrivalInfo(s.get());                          // without it, requests go out on every link
    return s;
}

uint32_t broadcastAddress() {
    static const uint32_t address = [] {
        uint32_t a = 0;
        parseIpv4(kBroadcastAddress, &a);
        return a;
    }();
    return address;
}

}  // namespace

DiscoverySockets openDiscoverySockets(const std::vector<uint16_t>& ports) {
    DiscoverySockets d;
    d.ports = ports;
    for (size_t i = 0; i < ports.size(); ++i) {
        bool own = false;
        Socket s = openOne(ports[i], i == 0, &own);
        d.bound.push_back(own);
        if (i == 0 && !s.valid()) return DiscoverySockets();
        if (!s.valid()) continue;
        d.handles.push_back(s.get());
        d.sockets.push_back(std::move(s));
    }
    return d;
}

BroadcastOutcome broadcastDiscovery(SocketHandle s, const PacketWriter& writer,
                                    const std::vector<Ipv4Interface>* links) {
    if (!writer.data()) return {0, 0, true};
    return broadcastOnEveryLink(s, writer.data(), static_cast<size_t>(writer.length()), broadcastAddress(),
                                toNetPort(DISCOVERY_PORT), links);
}

SendResult sendDiscoveryVia(SocketHandle s, const PacketWriter& writer, const Ipv4Interface& link) {
    if (!writer.data()) return SendResult::Failed;
    return sendDatagramVia(s, writer.data(), static_cast<size_t>(writer.length()), broadcastAddress(),
                           toNetPort(DISCOVERY_PORT), link.index, link.addr);
}

}  // namespace lenscout
