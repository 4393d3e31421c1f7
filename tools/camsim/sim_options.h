#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "discovery/discovery_port.h"
#include "tools/camsim/sim_camera.h"

namespace lenscout {

struct SimOptions {
    std::vector<SimCamera> cameras;
    uint16_t port = DISCOVERY_PORT;  // host order
    uint16_t replyPort = 0;          // where replies go; 0: the sender's port (or 10000 broadcast)
    uint64_t delayMinMs = 0;         // each reply waits a random delay in this range
    uint64_t delayMaxMs = 20;
    uint64_t seed = 1;
    bool scramble = false;
    std::string key;              // 8 bytes when scrambling
    uint64_t strayBytes = 0;      // junk sent ahead of every message
    bool replyBroadcast = false;  // reply to 255.255.255.255:10000, not to the sender
    // Each camera answers from its own address, as real cameras do: the
    // host takes the addresses it needs. Off: all from the host's address.
    bool ownAddresses = true;
    uint32_t forgeFrom = 0;     // every reply from this address instead (network order)
    uint64_t resultStorm = 0;   // result datagrams (code 5) sent after each search
    ReplyExtras extras;         // trailing bytes and junk after text zeros in replies and results
    uint64_t durationS = 3600;  // stops by itself after this long
    std::string logPath;        // one line per message received; stderr when empty
    std::string uploadDir;      // where received images are stored; none kept when empty
    uint16_t sinkPort = 0;      // TCP port that takes and counts any bytes; 0 for none
};

// Fills `out` from the command line: -1 when the simulator is to run, else
// its exit status (0 after --help, 2 after a wrong line, said on standard
// error).
int parseSimOptions(int argc, char** argv, SimOptions* out);

}  // namespace lenscout
