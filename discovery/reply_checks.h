#pragma once
// Who may be listed. The protocol has no authentication, so the worker
// judges a reply by who sent it and by what it claims.
#include <cstdint>
#include <vector>

#include "platform/interface_table.h"

namespace lenscout {

// A loopback address, or one of this computer's own: another program here
// answering a search. Without a table only loopback is known.
bool sentByThisComputer(uint32_t senderNet, const std::vector<Ipv4Interface>* interfaces);

// An address no camera can hold: 0.0.0.0/8, 127.0.0.0/8, 224.0.0.0/4 and
// above, or the broadcast address of one of this computer's links.
bool unusableCameraAddress(uint32_t ipNet, const std::vector<Ipv4Interface>* interfaces);

}  // namespace lenscout
