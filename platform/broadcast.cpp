#include "platform/broadcast.h"

namespace lenscout {
namespace {

void tally(BroadcastOutcome& outcome, SendResult result) {
    switch (result) {
    case SendResult::Sent: ++outcome.sent; break;
    case SendResult::LinkMissing: ++outcome.skipped; break;
    case SendResult::Failed: outcome.socketFailed = true; break;
    }
}

}  // namespace

BroadcastOutcome broadcastOnEveryLink(SocketHandle s, const void* data, size_t count, uint32_t addrNet,
                                      uint16_t portNet, const std::vector<Ipv4Interface>* interfaces) {
    BroadcastOutcome outcome;
    if (!interfaces) {
        tally(outcome, sendDatagramVia(s, data, count, addrNet, portNet));
        return outcome;
    }
    for (const Ipv4Interface& i : *interfaces) {
        if (!searchesThrough(i)) continue;
        tally(outcome, sendDatagramVia(s, data, count, addrNet, portNet, i.index, i.addr));
        if (outcome.socketFailed) break;
    }
    return outcome;
}

}  // namespace lenscout
