#include "cli/subcommands.h"

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "discovery/arrivals.h"
#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "discovery/discovery_socket.h"
#include "platform/text_codecs.h"
#include "site/camera_search.h"
#include "site/exit_status.h"
#include "site/output_text.h"

namespace lenscout {

namespace {

struct DoctorOptions {
    uint32_t listenMs = kDefaultSearchMs;
};

// What --help says of it.
const SubcommandText kDoctorText = {
    "doctor", "say what one search sees, and why the list may be empty",
    "Lists each network interface, searched or skipped with the reason; whether UDP port " +
        std::to_string(DISCOVERY_PORT) +
        " could be bound; "
        "what arrived in answer, and what was rejected and why; and a hint for the common causes of an empty list."};

std::string addressWithMask(const Ipv4Interface& i) { return dottedQuad(i.addr) + " mask " + dottedQuad(i.mask); }

// An interface as the system names it (eth0, wlan0), as inventory does;
// its number where it has no name.
std::string shownName(uint32_t index) {
    const std::string name = interfaceName(index);
    return name.empty() ? std::to_string(index) : terminalSafe(name);
}

// Every interface address, searched or not: how many are searched.
int reportInterfaces(const std::vector<Ipv4Interface>* table) {
    if (!table) {
        std::printf("interfaces: the system's table cannot be read; one search goes out as the routes decide\n");
        return 1;
    }
    int searched = 0;
    for (const Ipv4Interface& i : *table) {
        const char* why = whyNotSearched(i);
        const uint32_t broadcast = i.addr | ~i.mask;
        if (why) {
            std::printf("interface %s: %s, skipped: %s\n", shownName(i.index).c_str(), addressWithMask(i).c_str(), why);
        } else {
            std::printf("interface %s: %s, searched, broadcast %s\n", shownName(i.index).c_str(),
                        addressWithMask(i).c_str(), dottedQuad(broadcast).c_str());
            ++searched;
        }
    }
    return searched;
}

void reportArrivals(const Arrivals& a) {
    std::printf("datagrams: %d arrived; %d search repl%s from %zu camera(s)", a.datagrams, a.replies,
                a.replies == 1 ? "y" : "ies", a.cameras.size());
    if (a.scrambled) std::printf(", %d scrambled repl%s read", a.scrambled, a.scrambled == 1 ? "y" : "ies");
    std::printf("; %d search request(s) heard (this one, or another program's)\n", a.searches);
    if (a.rejected())
        std::printf("rejected: %d (wrong magic %d, wrong length %d, cut %d, unreadable reply %d, other command %d)\n",
                    a.rejected(), a.badMagic, a.badLength, a.cut, a.badReply, a.otherCommand);
    if (a.fromThisComputer || a.unusableAddress)
        std::printf("not listed: %d repl%s from this computer, %d claiming an address no camera can hold\n",
                    a.fromThisComputer, a.fromThisComputer == 1 ? "y" : "ies", a.unusableAddress);
    if (a.unsolicitedResults) std::printf("unsolicited result: %d, ignored\n", a.unsolicitedResults);
    for (const auto& [id, from] : a.senders) {
        if (from.size() < 2) continue;
        std::string list;
        for (uint32_t s : from) list += (list.empty() ? "" : ", ") + dottedQuad(s);
        std::printf("conflict: %s answers from %s\n", terminalSafe(gbkToUtf8(id)).c_str(), list.c_str());
    }
}

void hint(int searched, bool ownPort, const Arrivals& a) {
    if (searched == 0) {
        std::printf(
            "hint: no network interface is up and able to broadcast: connect the cable or the Wi-Fi that "
            "leads to the cameras\n");
        return;
    }
    if (!ownPort)
        std::printf(
            "hint: another program holds UDP port %u (ss -ulpn 'sport = :%u' names it); close it, or "
            "cameras that answer by broadcast are not heard\n",
            DISCOVERY_PORT, DISCOVERY_PORT);
    if (a.cameras.empty())
        std::printf(
            "hint: no camera answered. If cameras are on this network, a firewall may drop their replies "
            "to UDP port %u: sudo ufw allow %u/udp, or sudo firewall-cmd --add-port=%u/udp (with "
            "--permanent as well, to keep it)\n",
            DISCOVERY_PORT, DISCOVERY_PORT, DISCOVERY_PORT);
}

// Each discovery port: held here, or taken by another program.
void reportPorts(const DiscoverySockets& d) {
    for (size_t i = 0; i < d.ports.size(); ++i) {
        if (d.bound[i]) std::printf("port %u: bound\n", d.ports[i]);
        else if (i == 0)
            std::printf("port %u: taken by another program; searching from port %u instead\n", d.ports[0],
                        toHostPort(localPort(d.searching())));
        else
            std::printf("port %u: taken by another program; replies to it are not heard\n", d.ports[i]);
    }
}

int doctor(const DoctorOptions& o) {
    const DiscoverySockets sockets = openDiscoverySockets();
    if (!sockets.valid()) {
        std::fprintf(stderr, "lenscout-cli doctor: no UDP socket that can broadcast and no port to be had\n");
        return kExitFailed;
    }
    std::vector<Ipv4Interface> table;
    const bool haveTable = readInterfaceTable(&table);
    const int searched = reportInterfaces(haveTable ? &table : nullptr);
    reportPorts(sockets);
    PacketWriter writer;
    buildSearchRequest(writer);
    const BroadcastOutcome sent = broadcastDiscovery(sockets.searching(), writer, haveTable ? &table : nullptr);
    if (sent.socketFailed) {
        std::fprintf(stderr, "lenscout-cli doctor: the search could not be sent\n");
        return kExitFailed;
    }
    std::printf("search: sent %d, skipped %d (link gone)\n", sent.sent, sent.skipped);
    const Arrivals a = listenForArrivals(sockets.handles, o.listenMs, haveTable ? &table : nullptr);
    reportArrivals(a);
    hint(sent.sent == 0 ? 0 : searched, sockets.bound[0], a);
    // A script that asks whether cameras can be found gets its answer.
    return a.cameras.empty() ? kExitNotFound : kExitOk;
}

void declareDoctorOptions(CLI::App& command, DoctorOptions* o) {
    addSearchOption(command, &o->listenMs, "seconds to listen for answers");
}

}  // namespace

Subcommand addDoctorCommand(CLI::App& cli) {
    return addSubcommand<DoctorOptions>(cli, kDoctorText, declareDoctorOptions, doctor);
}

}  // namespace lenscout
