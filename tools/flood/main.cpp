// lenscout-flood: sends the discovery port every kind of bad datagram, or
// replies with made-up IDs, replies for one ID, or result datagrams, at a
// steady rate, for tests of a hostile network. Run it only inside the
// virtual LAN (tools/vlan).
//   lenscout-flood [--kind bad|new-ids|one-id|results] [--id ID] [--code N]
//                  [--rate N] [--seconds S] [--to A.B.C.D]
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "discovery/discovery_port.h"
#include "platform/broadcast.h"
#include "platform/socket.h"
#include "tools/common/options.h"
#include "tools/flood/bad_datagrams.h"

int main(int argc, char** argv) {
    using namespace lenscout;
    uint64_t rate = 10000, seconds = 30;
    std::string to = "255.255.255.255", kind = "bad", id = "FLOOD";
    uint16_t code = 5;
    CLI::App app(
        "Sends the discovery port every kind of bad datagram, or well-formed replies and results, at a steady "
        "rate. Run it only inside the virtual LAN (tools/vlan).",
        "lenscout-flood");
    app.add_option("--kind", kind,
                   "bad: every kind of bad datagram; new-ids: replies, each with a made-up ID; one-id: replies "
                   "for --id; results: result datagrams with --code (bad)")
        ->check(CLI::IsMember({"bad", "new-ids", "one-id", "results"}));
    app.add_option("--id", id, "the ID of --kind one-id (FLOOD)");
    app.add_option("--code", code, "the code of --kind results (5)");
    app.add_option("--rate", rate, "datagrams a second (10000)")->check(CLI::Range(uint64_t{1}, uint64_t{1000000}));
    app.add_option("--seconds", seconds, "how long (30)")->check(CLI::Range(uint64_t{0}, uint64_t{86400}));
    app.add_option("--to", to, "the address (255.255.255.255, out of every link)");
    const int status = parseToolLine(app, argc, argv);
    if (status >= 0) return status;
    uint32_t target = 0;
    Socket s = openUdpSocket();
    if (!parseIpv4(to.c_str(), &target) || !s.valid() || !enableBroadcast(s.get())) return 1;
    // Made-up cameras claim addresses in this host's subnet, as a forger would.
    std::vector<Ipv4Interface> own;
    readInterfaceTable(&own);
    uint32_t base = 0;
    for (const Ipv4Interface& i : own)
        if (!i.loopback) base = i.addr & i.mask;
    const std::vector<std::vector<uint8_t>> bad = badDatagrams();
    const auto datagram = [&](uint64_t n) -> std::vector<uint8_t> {
        uint32_t ip = base;
        reinterpret_cast<uint8_t*>(&ip)[3] = static_cast<uint8_t>(2 + n % 250);
        if (kind == "one-id") return floodReply(id, ip);
        if (kind == "new-ids") {
            char made[16];
            std::snprintf(made, sizeof made, "F%011llx", static_cast<unsigned long long>(n));
            return floodReply(made, ip);
        }
        if (kind == "results") return floodResult(code);
        return bad[n % bad.size()];
    };
    // A broadcast leaves by every link, whatever the routes of this host.
    std::vector<Ipv4Interface> links;
    const bool everyLink = to == "255.255.255.255" && readInterfaceTable(&links);
    std::printf("ready\n");
    std::fflush(stdout);
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto end = start + std::chrono::seconds(seconds);
    uint64_t sent = 0;
    // Paced in batches of a millisecond's worth.
    for (auto next = start; Clock::now() < end; next += std::chrono::milliseconds(1)) {
        for (uint64_t i = 0; i < (rate + 999) / 1000; ++i, ++sent) {
            const std::vector<uint8_t> d = datagram(sent);
            if (everyLink) broadcastOnEveryLink(s.get(), d.data(), d.size(), target, toNetPort(DISCOVERY_PORT), &links);
            else
                sendDatagramTo(s.get(), d.data(), d.size(), target, toNetPort(DISCOVERY_PORT));
        }
        std::this_thread::sleep_until(next + std::chrono::milliseconds(1));
    }
    std::printf("sent %llu datagrams (%s)\n", static_cast<unsigned long long>(sent), kind.c_str());
    return 0;
}
