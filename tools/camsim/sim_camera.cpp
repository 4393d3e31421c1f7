#include "tools/camsim/sim_camera.h"

#include <arpa/inet.h>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string_view>

#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "platform/socket.h"
#include "protocol/packet_header.h"
#include "tools/common/gbk.h"
#include "tools/common/options.h"

namespace lenscout {
namespace {

uint32_t addHost(uint32_t baseNet, uint32_t offset) { return htonl(ntohl(baseNet) + offset); }

std::string_view text(const std::string& s) { return fieldText(s.c_str(), s.size()); }

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
    if (key == "unused") return parseUnsigned(value, 0xFFFFFFFFu, &u, 0) && (c->unused = static_cast<uint32_t>(u), true);
    if (key == "port") return parseUnsigned(value, 65535, &u) && (c->httpPort = static_cast<uint16_t>(u), true);
    if (key == "user") return c->user = value, value.size() <= 13;
    if (key == "password") return c->password = value, value.size() <= 13;
    if (key == "result") return parseSigned(value, -1, 65535, &s) && (c->result = static_cast<int32_t>(s), true);
    if (key == "authfail")
        return parseSigned(value, -1, 65535, &s) && (c->authFailResult = static_cast<int32_t>(s), true);
    if (key == "upload") return isUploadBehaviour(value) && (c->upload = value, true);
    return false;
}

void appendField(PacketWriter& w, const std::string& text, size_t size) {
    char field[32] = {};
    std::memcpy(field, text.data(), text.size() < size ? text.size() : size);
    w.appendBytes(field, size);
}

}  // namespace

const char* const kUploadBehaviours[] = {
    "ok", "busy", "wrong-id", "login-refused", "close-hello", "close-login", "reset-hello", "reset-login",
    "silent-hello", "silent-login", "wrong-command", "wrong-command-login", "split", "short-hello", "stall",
    "reset-data", "reset-mid", nullptr,
};

bool isUploadBehaviour(const std::string& name) {
    for (const char* const* b = kUploadBehaviours; *b; ++b)
        if (name == *b) return true;
    uint64_t ms = 0;
    return name.rfind("slow-", 0) == 0 && parseUnsigned(name.substr(5), 60000, &ms);
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

void buildSearchReply(PacketWriter& w, const SimCamera& c) {
    w.begin(CMD_SEARCH_REPLY, kDiscoveryMagic);
    appendField(w, c.id, 13);
    appendField(w, c.name, 21);
    w.appendU32(c.ip);
    w.appendU32(c.mask);
    w.appendU32(c.gateway);
    w.appendU32(c.dns);
    w.appendU32(c.unused);
    w.appendU32(c.firmwareVersion);
    w.appendU32(c.webUiVersion);
    w.appendU16(toNetPort(c.httpPort));
    w.finalize();
}

bool parseSetNetwork(DatagramReader& r, SetNetworkRequest* q) {
    uint32_t tag = 0;
    return r.readU32(&tag) && r.readBytes(q->deviceId, 13) && r.readBytes(q->user, 13) &&
           r.readBytes(q->password, 13) && r.readU32(&q->ip) && r.readU32(&q->mask) && r.readU32(&q->gateway) &&
           r.readU32(&q->dns) && r.readU16(&q->httpPort);
}

SetOutcome applySetNetwork(SimCamera& c, const SetNetworkRequest& q) {
    if (fieldText(q.deviceId) != text(c.id)) return SetOutcome::NotMine;
    if (fieldText(q.user) != text(c.user) || fieldText(q.password) != text(c.password))
        return SetOutcome::BadCredentials;
    // All-zero addresses ask for DHCP: the simulated camera keeps its lease.
    if (q.ip != 0) {
        c.ip = q.ip;
        c.mask = q.mask;
        c.gateway = q.gateway;
        c.dns = q.dns;
    }
    c.httpPort = toHostPort(q.httpPort);
    return SetOutcome::Applied;
}

}  // namespace lenscout
