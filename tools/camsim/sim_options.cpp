#include "tools/camsim/sim_options.h"

#include <cstdio>

#include "platform/socket.h"
#include "tools/common/options.h"

namespace lenscout {

namespace {

// The generated cameras' numbering and addresses, as the options so far set them.
struct Generation {
    uint32_t base = 0, mask = 0;
    uint64_t first = 0;  // 0: go on from the cameras given so far
};

bool takeCount(SimOptions* o, const std::string& v, const Generation& g) {
    uint64_t n = 0;
    if (!parseUnsigned(v, 100000, &n)) return false;
    for (uint64_t i = 0; i < n; ++i)
        o->cameras.push_back(
            defaultCamera(static_cast<int>(g.first ? g.first + i : o->cameras.size() + 1), g.base, g.mask));
    return true;
}

// The options that make cameras act in the order given: each --count and
// --camera takes the numbering and addresses set before it.
void declareCameras(CLI::App& app, SimOptions* o, Generation* g, std::string* error) {
    addTakenOption(
        app, "--count", [o, g](const std::string& v) { return takeCount(o, v, *g); },
        "N generated cameras CAM000001.. (1 if no --camera)");
    addTakenOption(
        app, "--first", [g](const std::string& v) { return parseUnsigned(v, 1000000, &g->first); },
        "number the next generated cameras from N: CAM00000N at base + N");
    addTakenOption(
        app, "--base-ip", [g](const std::string& v) { return parseDotted(v, &g->base); },
        "address before the first generated camera (192.168.77.100)");
    addTakenOption(
        app, "--mask", [g](const std::string& v) { return parseDotted(v, &g->mask); },
        "mask of the generated cameras (255.255.255.0)");
    addTakenOption(
        app, "--camera",
        [o, g, error](const std::string& v) {
            SimCamera c = defaultCamera(static_cast<int>(o->cameras.size() + 1), g->base, g->mask);
            const bool ok = applyCameraSettings(&c, v, error);
            o->cameras.push_back(c);
            return ok;
        },
        kCameraSettingsHelp);
    addTakenOption(
        app, "--set",
        [o, error](const std::string& v) {
            bool ok = true;
            for (SimCamera& c : o->cameras) ok = ok && applyCameraSettings(&c, v, error);
            return ok;
        },
        "apply SETTINGS to every camera given so far");
}

void declareReplies(CLI::App& app, SimOptions* o) {
    addTakenOption(
        app, "--delay", [o](const std::string& v) { return parseRange(v, 60000, &o->delayMinMs, &o->delayMaxMs); },
        "reply delay per camera in ms, MIN[-MAX] (0-20)");
    addTakenOption(
        app, "--seed", [o](const std::string& v) { return parseUnsigned(v, UINT64_MAX, &o->seed); },
        "seed of the delays (1)");
    addTakenOption(
        app, "--scramble",
        [o](const std::string& v) { return (o->scramble = parseHex(v, &o->key)) && o->key.size() == 8; },
        "scramble replies with this 8-byte key, in hex");
    addTakenOption(
        app, "--stray", [o](const std::string& v) { return parseUnsigned(v, 60000, &o->strayBytes); },
        "send N junk bytes ahead of every message");
    app.add_flag("--reply-broadcast", o->replyBroadcast, "reply to the broadcast address instead of the sender");
    app.add_flag_callback(
        "--shared-address", [o] { o->ownAddresses = false; },
        "answer for every camera from this host's address, not from each camera's own");
    addTakenOption(
        app, "--from", [o](const std::string& v) { return parseDotted(v, &o->forgeFrom); },
        "answer from this address, whatever the cameras hold: a forger on the link");
    addTakenOption(
        app, "--result-storm", [o](const std::string& v) { return parseUnsigned(v, 100000, &o->resultStorm); },
        "after each search, send the searcher N results with code 5, asked for by nobody");
    addTakenOption(
        app, "--reply-extra",
        [o](const std::string& v) {
            uint64_t n = 0;
            return parseUnsigned(v, 60000, &n) && (o->extras.trailing = n, true);
        },
        "N bytes more after every search reply and result");
    app.add_flag_callback(
        "--text-junk", [o] { o->extras.textJunk = 0x7e; }, "fill the reply's text fields after their zero with junk");
}

bool takePort(const std::string& v, uint16_t* port) {
    uint64_t n = 0;
    return parseUnsigned(v, 65535, &n) && (*port = static_cast<uint16_t>(n), true);
}

void declareRun(CLI::App& app, SimOptions* o) {
    addTakenOption(
        app, "--port", [o](const std::string& v) { return takePort(v, &o->port); },
        "UDP port to listen on (" + std::to_string(DISCOVERY_PORT) + ")");
    addTakenOption(
        app, "--reply-port", [o](const std::string& v) { return takePort(v, &o->replyPort); },
        "UDP port its replies go to, as a camera that answers on another port (the sender's)");
    addTakenOption(
        app, "--duration", [o](const std::string& v) { return parseUnsigned(v, 86400, &o->durationS); },
        "stop after S seconds (3600)");
    app.add_option("--log", o->logPath, "log of received messages (standard error)");
    app.add_option("--upload-dir", o->uploadDir, "store received images there, as ID-firmware.bin / ID-webui.bin");
    addTakenOption(
        app, "--sink-port", [o](const std::string& v) { return takePort(v, &o->sinkPort); },
        "a TCP port that takes any bytes and logs their count");
}

}  // namespace

int parseSimOptions(int argc, char** argv, SimOptions* o) {
    CLI::App app(
        "Plays one or many cameras: answers search requests, applies set-network requests, takes uploads. Run it "
        "only inside the virtual LAN (tools/vlan).",
        "lenscout-camsim");
    Generation g;
    parseDotted("192.168.77.100", &g.base);
    parseDotted("255.255.255.0", &g.mask);
    std::string error;
    declareCameras(app, o, &g, &error);
    declareReplies(app, o);
    declareRun(app, o);
    const int status = parseToolLine(app, argc, argv);
    if (status > 0 && !error.empty()) std::fprintf(stderr, "lenscout-camsim: %s\n", error.c_str());
    if (status < 0 && o->cameras.empty()) o->cameras.push_back(defaultCamera(1, g.base, g.mask));
    return status;
}

}  // namespace lenscout
