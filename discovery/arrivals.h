#pragma once
// What arrives at the discovery port while one search is answered, sorted
// by what it is and why it would not be listed: the census behind a
// diagnosis of an empty list.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/interface_table.h"
#include "platform/socket.h"

namespace lenscout {

// What arrived while the search was answered.
struct Arrivals {
    int datagrams = 0;
    int replies = 0;
    int searches = 0;            // search requests: this one echoed, or another program's
    int unsolicitedResults = 0;  // this command sends no request
    int scrambled = 0;
    int badMagic = 0, badLength = 0, cut = 0, badReply = 0, otherCommand = 0;
    int fromThisComputer = 0, unusableAddress = 0;
    std::set<std::string> cameras;
    std::map<std::string, std::set<uint32_t>> senders;  // by ID

    int rejected() const { return badMagic + badLength + cut + badReply + otherCommand; }
};

// Every datagram that arrives on any of `sockets` within `listenMs`, classified.
Arrivals listenForArrivals(const std::vector<SocketHandle>& sockets, uint32_t listenMs,
                           const std::vector<Ipv4Interface>* links);

}  // namespace lenscout
