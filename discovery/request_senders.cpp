#include "discovery/request_senders.h"

#include <algorithm>

namespace lenscout {

void RequestSenders::sent(uint32_t senderNet, uint32_t now) {
    sent_.erase(std::remove_if(sent_.begin(), sent_.end(),
                               [&](const Sent& s) { return now - s.at >= kResultWindowMs || s.sender == senderNet; }),
                sent_.end());
    sent_.push_back({senderNet, now});
}

bool RequestSenders::expects(uint32_t senderNet, uint32_t now) const {
    return std::any_of(sent_.begin(), sent_.end(),
                       [&](const Sent& s) { return s.sender == senderNet && now - s.at < kResultWindowMs; });
}

}  // namespace lenscout
