// lenscout-flood: sends the discovery port every kind of bad datagram, at a
// steady rate, for tests of a hostile network. Run it only inside the
// virtual LAN (tools/vlan).
//   lenscout-flood [--rate N] [--seconds S] [--to A.B.C.D]
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
    std::string to = "255.255.255.255";
    CLI::App app(
        "Sends the discovery port every kind of bad datagram at a steady rate. Run it only inside the "
        "virtual LAN (tools/vlan).",
        "lenscout-flood");
    app.add_option("--rate", rate, "datagrams a second (10000)")->check(CLI::Range(uint64_t{1}, uint64_t{1000000}));
    app.add_option("--seconds", seconds, "how long (30)")->check(CLI::Range(uint64_t{0}, uint64_t{86400}));
    app.add_option("--to", to, "the address (255.255.255.255, out of every link)");
    const int status = parseToolLine(app, argc, argv);
    if (status >= 0) return status;
    uint32_t target = 0;
    Socket s = openUdpSocket();
    if (!parseIpv4(to.c_str(), &target) || !s.valid() || !enableBroadcast(s.get())) return 1;
    const std::vector<std::vector<uint8_t>> kinds = badDatagrams();
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
            const std::vector<uint8_t>& d = kinds[sent % kinds.size()];
            if (everyLink) broadcastOnEveryLink(s.get(), d.data(), d.size(), target, toNetPort(DISCOVERY_PORT), &links);
            else
                sendDatagramTo(s.get(), d.data(), d.size(), target, toNetPort(DISCOVERY_PORT));
        }
        std::this_thread::sleep_until(next + std::chrono::milliseconds(1));
    }
    std::printf("sent %llu datagrams of %zu kinds\n", static_cast<unsigned long long>(sent), kinds.size());
    return 0;
}
