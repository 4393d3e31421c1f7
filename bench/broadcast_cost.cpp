// What one search period's sends cost with 1, 4 and 16 links and no camera:
// the interface table read (of all 16 links) and a search broadcast from
// the addresses of the first 1, 4 or 16.
// Runs only inside a virtual LAN with at least 16 links (bench/run).
#include <chrono>
#include <cstdio>
#include <vector>

#include "discovery/discovery_messages.h"
#include "platform/broadcast.h"
#include "platform/interface_table.h"
#include "platform/socket.h"
#include "protocol/packet_writer.h"
#include "support/vlan_guard.h"

namespace lenscout {
namespace {

constexpr int kRounds = 2000;

// The table as read, less every link after the first `links` that can broadcast.
std::vector<Ipv4Interface> firstLinks(const std::vector<Ipv4Interface>& table, size_t links) {
    std::vector<Ipv4Interface> kept;
    size_t searchable = 0;
    for (const Ipv4Interface& i : table)
        if (!searchesThrough(i) || searchable++ < links) kept.push_back(i);
    return kept;
}

int run() {
    Socket s = openUdpSocket();
    if (!s.valid() || !enableBroadcast(s.get()) || !bindAny(s.get(), toNetPort(DISCOVERY_PORT))) return 1;
    PacketWriter writer;
    buildSearchRequest(writer);
    uint32_t everyone = 0;
    parseIpv4(kBroadcastAddress, &everyone);
    std::vector<Ipv4Interface> table;
    for (size_t links : {1, 4, 16}) {
        using Clock = std::chrono::steady_clock;
        auto start = Clock::now();
        for (int r = 0; r < kRounds; ++r)
            if (!readInterfaceTable(&table)) return 1;
        const double readUs = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kRounds;
        const std::vector<Ipv4Interface> some = firstLinks(table, links);
        int sent = 0;
        start = Clock::now();
        for (int r = 0; r < kRounds; ++r)
            sent = broadcastOnEveryLink(s.get(), writer.data(), static_cast<size_t>(writer.length()), everyone,
                                        toNetPort(DISCOVERY_PORT), &some)
                       .sent;
        const double sendUs = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kRounds;
        std::printf("links=%zu table_rows=%zu sends_per_period=%d table_read_us=%.1f sends_us=%.1f\n", links,
                    table.size(), sent, readUs, sendUs);
    }
    return 0;
}

}  // namespace
}  // namespace lenscout

int main() {
    if (!lenscout::test::insideVirtualLan()) {
        std::fprintf(stderr, "broadcast_cost: run me through tools/vlan --links 16\n");
        return 1;
    }
    return lenscout::run();
}
