#include "tools/camsim/sim_options.h"

#include "platform/socket.h"
#include "tools/common/options.h"

namespace lenscout {

const char kSimUsage[] =
    "usage: lenscout-camsim [options]\n"
    "Plays one or many cameras: answers search requests, applies set-network\n"
    "requests. Run it only inside the virtual LAN (tools/vlan).\n"
    "  --count N            N generated cameras CAM000001.. (default 1 if no --camera)\n"
    "  --first N            number the next generated cameras from N: CAM00000N at base + N\n"
    "  --base-ip A.B.C.D    address before the first generated camera (192.168.77.100)\n"
    "  --mask A.B.C.D       mask of the generated cameras (255.255.255.0)\n"
    "  --camera SETTINGS    one more camera: key=value,... with keys id, id-hex, name,\n"
    "                       name-hex, ip, mask, gateway, dns, port, firmware, webui\n"
    "                       (0: no web interface), unused, user, password,\n"
    "                       result (code after an accepted request, -1 none),\n"
    "                       authfail (code on wrong credentials, -1 none),\n"
    "                       reboot (seconds of silence after it took an image),\n"
    "                       next-version (the version of that kind it then has),\n"
    "                       settle (ms before an accepted setting shows in its replies),\n"
    "                       upload (how it takes an upload on its HTTP port: ok, busy,\n"
    "                       wrong-id, login-refused, close-hello, close-login,\n"
    "                       reset-hello, reset-login, silent-hello, silent-login,\n"
    "                       wrong-command, wrong-command-login, split, short-hello,\n"
    "                       stall and reset-mid (after 1 MiB), reset-data, reset-last\n"
    "                       (at the last block), hold (no close for 3 s after\n"
    "                       the end), slow-MS)\n"
    "  --set SETTINGS       apply SETTINGS to every camera given so far\n"
    "  --delay MIN[-MAX]    reply delay per camera in ms (0-20)\n"
    "  --seed N             seed of the delays (1)\n"
    "  --scramble HEX16     scramble replies with this 8-byte key\n"
    "  --stray N            send N junk bytes ahead of every message\n"
    "  --reply-broadcast    reply to 255.255.255.255:10000 instead of the sender\n"
    "  --reply-extra N      N bytes more after every search reply and result\n"
    "  --text-junk          fill the reply's text fields after their zero with junk\n"
    "  --port N             UDP port to listen on (10000)\n"
    "  --duration S         stop after S seconds (3600)\n"
    "  --log FILE           log of received messages (stderr)\n"
    "  --upload-dir DIR     store received images there, as ID-firmware.bin / ID-webui.bin\n"
    "  --sink-port N        a TCP port that takes any bytes and logs their count\n";

namespace {

bool takeCount(SimOptions* o, const std::string& v, uint32_t base, uint32_t mask, uint64_t first) {
    uint64_t n = 0;
    if (!parseUnsigned(v, 100000, &n)) return false;
    for (uint64_t i = 0; i < n; ++i)
        o->cameras.push_back(defaultCamera(static_cast<int>(first ? first + i : o->cameras.size() + 1), base, mask));
    return true;
}

}  // namespace

bool parseSimOptions(int argc, char** argv, SimOptions* o, std::string* error) {
    ArgWalker args(argc, argv);
    std::string name, v;
    uint32_t base = 0, mask = 0;
    parseDotted("192.168.77.100", &base);
    parseDotted("255.255.255.0", &mask);
    uint64_t u = 0, first = 0;  // 0: go on from the cameras given so far
    while (args.next(&name)) {
        bool ok = true;
        if (name == "reply-broadcast") {
            o->replyBroadcast = true;
            continue;
        }
        if (name == "text-junk") {
            o->extras.textJunk = 0x7e;
            continue;
        }
        if (name == "help") {
            *error = kSimUsage;
            return false;
        }
        if (!args.value(&v)) {
            *error = "missing value for --" + name;
            return false;
        }
        if (name == "count") ok = takeCount(o, v, base, mask, first);
        else if (name == "first")
            ok = parseUnsigned(v, 1000000, &first);
        else if (name == "base-ip")
            ok = parseDotted(v, &base);
        else if (name == "mask")
            ok = parseDotted(v, &mask);
        else if (name == "camera") {
            SimCamera c = defaultCamera(static_cast<int>(o->cameras.size() + 1), base, mask);
            ok = applyCameraSettings(&c, v, error);
            o->cameras.push_back(c);
        } else if (name == "set") {
            for (SimCamera& c : o->cameras) ok = ok && applyCameraSettings(&c, v, error);
        } else if (name == "delay")
            ok = parseRange(v, 60000, &o->delayMinMs, &o->delayMaxMs);
        else if (name == "seed")
            ok = parseUnsigned(v, UINT64_MAX, &o->seed);
        else if (name == "scramble")
            ok = (o->scramble = parseHex(v, &o->key)) && o->key.size() == 8;
        else if (name == "stray")
            ok = parseUnsigned(v, 60000, &o->strayBytes);
        else if (name == "reply-extra")
            ok = parseUnsigned(v, 60000, &u) && (o->extras.trailing = u, true);
        else if (name == "port")
            ok = parseUnsigned(v, 65535, &u) && (o->port = static_cast<uint16_t>(u), true);
        else if (name == "duration")
            ok = parseUnsigned(v, 86400, &o->durationS);
        else if (name == "log")
            o->logPath = v;
        else if (name == "upload-dir")
            o->uploadDir = v;
        else if (name == "sink-port")
            ok = parseUnsigned(v, 65535, &u) && (o->sinkPort = static_cast<uint16_t>(u), true);
        else {
            *error = "unknown option --" + name;
            return false;
        }
        if (!ok) {
            if (error->empty()) *error = "bad value for --" + name + ": " + v;
            return false;
        }
    }
    if (o->cameras.empty()) o->cameras.push_back(defaultCamera(1, base, mask));
    return true;
}

}  // namespace lenscout
