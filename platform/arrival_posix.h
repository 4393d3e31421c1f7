#pragma once
// Reading IP_PKTINFO off a received message: shared by the POSIX socket and
// batch code.
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstring>

#include "platform/socket.h"
#include "platform/socket_address.h"

namespace lenscout {

// `m.msg_name` must have been a sockaddr_in.
inline Arrival arrivalOf(msghdr& m) {
    Arrival arrival;
    if (m.msg_namelen >= sizeof(sockaddr_in))
        readAddress(*static_cast<const sockaddr_in*>(m.msg_name), &arrival.senderNet, &arrival.senderPort);
    for (cmsghdr* c = CMSG_FIRSTHDR(&m); c; c = CMSG_NXTHDR(&m, c)) {
        if (c->cmsg_level != IPPROTO_IP || c->cmsg_type != IP_PKTINFO) continue;
        in_pktinfo info{};
        std::memcpy(&info, CMSG_DATA(c), sizeof info);
        arrival.index = static_cast<uint32_t>(info.ipi_ifindex);
        arrival.localNet = info.ipi_spec_dst.s_addr;
    }
    return arrival;
}

}  // namespace lenscout
