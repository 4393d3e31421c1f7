#include "tools/camsim/sim_camera.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "platform/socket.h"
#include "platform/text_codecs.h"
#include "tools/camsim/sim_codec.h"
#include "tools/common/value_parse.h"

namespace lenscout {

// Beside applyCameraSettings, so that a new key and its help come together.
const char kCameraSettingsHelp[] =
    "one more camera: key=value,... with keys id, id-hex, name, name-hex, ip, mask, gateway, dns, port, firmware, "
    "webui (0: no web interface), unused, user, password, result (code after an accepted request, -1 none), "
    "result-delay (ms before that code or the refusal goes), "
    "authfail (code on wrong credentials, -1 none), reboot (seconds of silence after it took an image), "
    "next-version (the version of that kind it then has), settle (ms before an accepted setting shows in its "
    "replies, or MIN-MAX), set-reboot (seconds of silence, or MIN-MAX, once a setting has taken), upload (how it takes "
    "an upload on its HTTP port: ok, busy, wrong-id, login-refused, close-hello, "
    "close-login, reset-hello, reset-login, silent-hello, silent-login, wrong-command, wrong-command-login, split, "
    "short-hello, stall and reset-mid (after 1 MiB), reset-data, reset-last (at the last block), hold (no close for "
    "3 s after the end), slow-MS, trickle-B-MS (reads B bytes every MS ms))";
namespace {

uint32_t addHost(uint32_t baseNet, uint32_t offset) { return toNetLong(toHostLong(baseNet) + offset); }

bool takeRange(const std::string& value, uint64_t max, uint32_t* low, uint32_t* high) {
    uint64_t a = 0, b = 0;
    if (!parseRange(value, max, &a, &b)) return false;
    *low = static_cast<uint32_t>(a), *high = static_cast<uint32_t>(std::max(a, b));
    return true;
}

uint32_t within(uint32_t low, uint32_t high, double draw) {
    return low + static_cast<uint32_t>(draw * (high - low + (high > low ? 1 : 0)));
}

bool applyField(SimCamera* c, const std::string& key, const std::string& value) {
    uint64_t u = 0;
    int64_t s = 0;
    if (key == "id") return c->id = value.substr(0, 13), true;
    if (key == "id-hex") return parseHex(value, &c->id) && c->id.size() <= 13;
    if (key == "name") return c->name = utf8ToGbk(value).substr(0, 21), true;
    if (key == "name-hex") return parseHex(value, &c->name) && c->name.size() <= 21;
    if (key == "ip") return parseDotted(value, &c->ip);
    if (key == "mask") return parseDotted(value, &c->mask);
    if (key == "gateway") return parseDotted(value, &c->gateway);
    if (key == "dns") return parseDotted(value, &c->dns);
    if (key == "firmware") return parseDotted(value, &c->firmwareVersion);
    if (key == "webui") return value == "0" ? (c->webUiVersion = 0, true) : parseDotted(value, &c->webUiVersion);
    if (key == "unused")
        return parseUnsigned(value, 0xFFFFFFFFu, &u, 0) && (c->unused = static_cast<uint32_t>(u), true);
    if (key == "port") return parseUnsigned(value, 65535, &u) && (c->httpPort = static_cast<uint16_t>(u), true);
    if (key == "user") return c->user = value, value.size() <= 13;
    if (key == "password") return c->password = value, value.size() <= 13;
    if (key == "result") return parseSigned(value, -1, 65535, &s) && (c->result = static_cast<int32_t>(s), true);
    if (key == "authfail")
        return parseSigned(value, -1, 65535, &s) && (c->authFailResult = static_cast<int32_t>(s), true);
    if (key == "result-delay")
        return parseUnsigned(value, 600000, &u) && (c->resultDelayMs = static_cast<uint32_t>(u), true);
    if (key == "upload") return isUploadBehaviour(value) && (c->upload = value, true);
    if (key == "reboot") return parseUnsigned(value, 3600, &u) && (c->rebootS = static_cast<uint32_t>(u), true);
    if (key == "next-version") return parseDotted(value, &c->nextVersion);
    if (key == "settle") return takeRange(value, 600000, &c->settleMs, &c->settleMaxMs);
    if (key == "set-reboot") return takeRange(value, 3600, &c->setRebootS, &c->setRebootMaxS);
    return false;
}

void putAddress(std::vector<uint8_t>& out, uint32_t net) {
    const auto* b = reinterpret_cast<const uint8_t*>(&net);
    out.insert(out.end(), b, b + 4);
}

void takeSettings(SimCamera& c, const SetNetworkRequest& q) {
    // All-zero addresses ask for DHCP: the simulated camera keeps its lease.
    if (q.ip != 0) {
        c.ip = q.ip;
        c.mask = q.mask;
        c.gateway = q.gateway;
        c.dns = q.dns;
    }
    c.httpPort = q.httpPort;
}

uint32_t takeAddress(const uint8_t* at) {
    uint32_t net = 0;
    std::memcpy(&net, at, 4);
    return net;
}

}  // namespace

const char* const kUploadBehaviours[] = {
    "ok",          "busy",        "wrong-id",     "login-refused", "close-hello",   "close-login",
    "reset-hello", "reset-login", "silent-hello", "silent-login",  "wrong-command", "wrong-command-login",
    "split",       "short-hello", "stall",        "reset-data",    "reset-mid",     "reset-last",
    "hold",        nullptr,
};

bool isUploadBehaviour(const std::string& name) {
    for (const char* const* b = kUploadBehaviours; *b; ++b)
        if (name == *b) return true;
    uint64_t ms = 0, bytes = 0;
    if (name.rfind("slow-", 0) == 0) return parseUnsigned(name.substr(5), 60000, &ms);
    if (name.rfind("trickle-", 0) != 0) return false;
    const size_t dash = name.find('-', 8);
    return dash != std::string::npos && parseUnsigned(name.substr(8, dash - 8), 1 << 20, &bytes) && bytes > 0 &&
           parseUnsigned(name.substr(dash + 1), 60000, &ms);
}

SimCamera defaultCamera(int index, uint32_t baseIp, uint32_t mask) {
    SimCamera c;
    char text[32];
    std::snprintf(text, sizeof text, "CAM%06d", index);
    c.id = text;
    std::snprintf(text, sizeof text, "Camera %d", index);
    c.name = text;
    c.ip = addHost(baseIp, static_cast<uint32_t>(index));
    c.mask = mask;
    c.gateway = addHost(baseIp & mask, 1);
    c.dns = c.gateway;
    parseDotted("1.2.3.4", &c.firmwareVersion);
    parseDotted("2.0.1.7", &c.webUiVersion);
    return c;
}

bool applyCameraSettings(SimCamera* camera, const std::string& settings, std::string* error) {
    std::stringstream items(settings);
    std::string item;
    while (std::getline(items, item, ',')) {
        size_t eq = item.find('=');
        if (eq == std::string::npos || !applyField(camera, item.substr(0, eq), item.substr(eq + 1))) {
            *error = "bad camera field: " + item;
            return false;
        }
    }
    return true;
}

// Offsets 0 id, 13 name, 34 ip, 38 mask, 42 gateway, 46 DNS, 50 unused,
// 54 firmware, 58 web UI, 62 port (big-endian).
std::vector<uint8_t> searchReplyPayload(const SimCamera& c, const ReplyExtras& extras) {
    std::vector<uint8_t> p;
    sim::putText(p, c.id, 13, extras.textJunk);
    sim::putText(p, c.name, 21, extras.textJunk);
    for (uint32_t v : {c.ip, c.mask, c.gateway, c.dns, c.unused, c.firmwareVersion, c.webUiVersion}) putAddress(p, v);
    p.push_back(static_cast<uint8_t>(c.httpPort >> 8));
    p.push_back(static_cast<uint8_t>(c.httpPort));
    p.insert(p.end(), extras.trailing, 0xa5);
    return p;
}

// Offsets 0 tag, 4 id, 17 user, 30 password, 43 ip, 47 mask, 51 gateway,
// 55 DNS, 59 port (big-endian).
bool parseSetNetwork(const std::vector<uint8_t>& p, SetNetworkRequest* q) {
    if (p.size() != 61) return false;
    q->deviceId = sim::textOf(p.data() + 4, 13);
    q->user = sim::textOf(p.data() + 17, 13);
    q->password = sim::textOf(p.data() + 30, 13);
    q->ip = takeAddress(p.data() + 43);
    q->mask = takeAddress(p.data() + 47);
    q->gateway = takeAddress(p.data() + 51);
    q->dns = takeAddress(p.data() + 55);
    q->httpPort = static_cast<uint16_t>(p[59] << 8 | p[60]);
    return true;
}

SetOutcome applySetNetwork(SimCamera& c, const SetNetworkRequest& q, double draw) {
    if (q.deviceId != sim::textOf(c.id)) return SetOutcome::NotMine;
    if (q.user != sim::textOf(c.user) || q.password != sim::textOf(c.password)) return SetOutcome::BadCredentials;
    const uint32_t settleMs = within(c.settleMs, c.settleMaxMs, draw);
    c.drawnRebootS = within(c.setRebootS, c.setRebootMaxS, draw);
    if (settleMs == 0 && c.drawnRebootS == 0) {
        takeSettings(c, q);
        return SetOutcome::Applied;
    }
    c.settled = q;
    c.settling = true;
    c.settlesAt = std::chrono::steady_clock::now() + std::chrono::milliseconds(settleMs);
    return SetOutcome::Applied;
}

void settlePendingSettings(SimCamera& c, std::chrono::steady_clock::time_point now) {
    if (!c.settling || now < c.settlesAt) return;
    takeSettings(c, c.settled);
    c.settling = false;
    if (c.drawnRebootS) c.silentUntil = c.settlesAt + std::chrono::seconds(c.drawnRebootS);
}

}  // namespace lenscout
