#include "discovery/discovery_socket.h"

#include "discovery/discovery_messages.h"

namespace lenscout {

Socket openDiscoverySocket(bool* ownPort) {
    Socket s = openUdpSocket();
    if (!s.valid() || !enableBroadcast(s.get())) return Socket();
    const bool own = bindAny(s.get(), toNetPort(DISCOVERY_PORT));
    if (!own && !bindAny(s.get(), 0)) return Socket();
    if (ownPort) *ownPort = own;
    setReceiveBuffer(s.get(), kDiscoveryReceiveBuffer);  // best effort: the system may cap it
    enableArrivalInfo(s.get());                          // without it, requests go out on every link
    return s;
}

namespace {

uint32_t broadcastAddress() {
    static const uint32_t address = [] {
        uint32_t a = 0;
        parseIpv4(kBroadcastAddress, &a);
        return a;
    }();
    return address;
}

}  // namespace

BroadcastOutcome broadcastDiscovery(SocketHandle s, const PacketWriter& writer, const std::vector<Ipv4Interface>* links,
                                    bool oncePerLink) {
    if (!writer.data()) return {0, 0, true};
    return broadcastOnEveryLink(s, writer.data(), static_cast<size_t>(writer.length()), broadcastAddress(),
                                toNetPort(DISCOVERY_PORT), links, oncePerLink);
}

SendResult sendDiscoveryVia(SocketHandle s, const PacketWriter& writer, const Ipv4Interface& link) {
    if (!writer.data()) return SendResult::Failed;
    return sendDatagramVia(s, writer.data(), static_cast<size_t>(writer.length()), broadcastAddress(),
                           toNetPort(DISCOVERY_PORT), link.index, link.addr);
}

}  // namespace lenscout
