#pragma once
// A result datagram carries no ID: any host can send code 5 to the
// program's port. It is believed only from a device that a request went
// to a few seconds before.
#include <cstdint>
#include <vector>

namespace lenscout {

constexpr uint32_t kResultWindowMs = 5000;

class RequestSenders {
public:
    // A request went to the camera heard from `senderNet` at tick `now`.
    void sent(uint32_t senderNet, uint32_t now);
    bool expects(uint32_t senderNet, uint32_t now) const;

private:
    struct Sent {
        uint32_t sender, at;
    };
    std::vector<Sent> sent_;
};

}  // namespace lenscout
