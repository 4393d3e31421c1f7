#include "tools/cli/set_network_command.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <string>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "discovery/message_ids.h"
#include "platform/socket.h"
#include "platform/tick_clock.h"
#include "tools/cli/camera_search.h"
#include "tools/cli/cli_messages.h"
#include "tools/cli/credentials.h"
#include "tools/cli/exit_status.h"
#include "tools/cli/subcommand.h"
#include "tools/cli/tool_language.h"
#include "tools/common/options.h"
#include "tools/scan/scan_format.h"
#include "ui/network_settings.h"

namespace lenscout {

const char kSetNetworkUsage[] =
    "usage: lenscout-cli set-network --id ID (--dhcp | [--ip A] [--mask M] [--gateway G] [--dns D])\n"
    "                                [--http-port N] [--user U] [--password-file F] [--search S]\n"
    "                                [--wait S] [--json] [--lang N]\n"
    "Finds camera ID by a search, checks the new settings as the Network\n"
    "Configuration dialog does, sends them, and waits until the camera answers\n"
    "with them. An address or port not given keeps the camera's current one.\n"
    "  --dhcp             let the camera take its address from DHCP\n"
    "  --user U           the camera's user (admin)\n"
    "  --password-file F  read the password from F's first line (- for standard\n"
    "                     input); else LENSCOUT_PASSWORD, else a prompt\n"
    "  --search S         seconds to find the camera (4)\n"
    "  --wait S           seconds to wait for its answer with the new settings (10)\n"
    "  --json             print the confirmed camera as JSON\n"
    "  --lang N           messages in language N (0 system, 1 English, 2 and 3\n"
    "                     Simplified and Traditional Chinese)\n"
    "Exit status: 0 confirmed, 1 network failure, 2 usage, 3 illegal value,\n"
    "4 camera not found, 5 user or password refused, 6 no confirmation in time.\n";

namespace {

struct SetNetworkOptions {
    std::string id;
    bool dhcp = false;
    std::map<std::string, std::string> addresses;  // ip, mask, gateway, dns as given
    bool havePort = false;
    int32_t portField = 0;
    CredentialOptions credentials;
    uint32_t searchMs = 4000;
    uint32_t waitMs = 10000;
    bool json = false;
    bool help = false;
    int64_t language = kLanguageUnset;
};

// As the dialog reads its port field: a text that is no 32-bit number is 0.
int32_t portField(const std::string& text) {
    int64_t value = 0;
    if (!parseSigned(text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), &value)) return 0;
    return static_cast<int32_t>(value);
}

bool takeOption(ArgWalker& args, const std::string& name, SetNetworkOptions* o) {
    std::string v;
    if (name == "dhcp") return o->dhcp = true;
    if (name == "json") return o->json = true;
    if (name == "help") return o->help = true;
    if (!args.value(&v)) return false;
    if (name == "id") o->id = v;
    else if (name == "ip" || name == "mask" || name == "gateway" || name == "dns") o->addresses[name] = v;
    else if (name == "http-port") o->havePort = true, o->portField = portField(v);
    else if (name == "user") o->credentials.user = v;
    else if (name == "password-file") o->credentials.passwordFile = v;
    else if (name == "search") return parseSeconds(v, &o->searchMs);
    else if (name == "wait") return parseSeconds(v, &o->waitMs);
    else if (name == "lang") return parseSigned(v, 0, 3, &o->language);
    else return false;
    return true;
}

bool parseOptions(int argc, char** argv, SetNetworkOptions* o) {
    ArgWalker args(argc, argv);
    std::string name;
    while (args.next(&name))
        if (args.operand() || !takeOption(args, name, o)) return false;
    return o->help || (!o->id.empty() && !(o->dhcp && !o->addresses.empty()));
}

// The dialog's fields: what was given, else the camera's current values.
NetworkSettings validate(const SetNetworkOptions& o, const CameraInfo& camera) {
    const auto field = [&](const char* key, uint32_t current) {
        const auto it = o.addresses.find(key);
        return it != o.addresses.end() ? it->second : dottedQuad(current);
    };
    const std::string ip = field("ip", camera.ip), mask = field("mask", camera.mask),
                      gateway = field("gateway", camera.gateway), dns = field("dns", camera.dns);
    const int32_t port = o.havePort ? o.portField : toHostPort(camera.httpPort);
    return ValidateNetworkSettings(port, o.dhcp, ip.c_str(), mask.c_str(), gateway.c_str(), dns.c_str());
}

// With every field given the values can be judged before any search.
bool complete(const SetNetworkOptions& o) { return o.havePort && (o.dhcp || o.addresses.size() == 4); }

bool confirms(const CameraInfo& reply, const CameraInfo& wanted, bool dhcp) {
    if (!sameText(reply.deviceId, wanted.deviceId) || reply.httpPort != wanted.httpPort) return false;
    return dhcp || (reply.ip == wanted.ip && reply.mask == wanted.mask && reply.gateway == wanted.gateway &&
                    reply.dns == wanted.dns);
}

// After the request: the camera's refusal, or its reply with the settings.
int awaitConfirmation(CameraSearch& search, const SetNetworkOptions& o, const CameraInfo& wanted) {
    const uint32_t until = tickCount() + o.waitMs;
    SearchEvent event;
    while (search.next(until, &event)) {
        if (event.code == kScanSocketFailure) return diagnoseCamera(o.id, kTextSocketError), kExitFailed;
        if (event.code == 1 || event.code == 5 || event.code == 6)
            return diagnoseCamera(o.id, kTextIncorrectCredentials), kExitRefused;
        if (event.camera && confirms(*event.camera, wanted, o.dhcp)) {
            std::printf("%s\n", cameraLine(*event.camera, o.json).c_str());
            return kExitOk;
        }
    }
    diagnoseCamera(o.id, kTextTimeOut);
    return kExitTimeout;
}

int setNetwork(const SetNetworkOptions& o) {
    CameraInfo wanted{};
    int row = 0;
    if (complete(o) && (row = validate(o, wanted).errorRow) != 0) return diagnoseCamera(o.id, row), kExitInvalid;
    if (!storeUser(o.credentials.user, &wanted, &row)) return diagnoseCamera(o.id, row), kExitInvalid;
    std::string password, error;
    if (!readPassword(o.credentials, &password, &error)) return diagnose(error), kExitUsage;

    CameraSearch search;
    if (!search.start()) return diagnose("cannot start the discovery thread"), kExitFailed;
    std::map<std::string, CameraInfo> found;
    const std::string id = cameraIdOf(o.id);
    search.findAll({id}, tickCount() + o.searchMs, &found);
    if (search.failed()) return diagnoseCamera(o.id, kTextSocketError), kExitFailed;
    if (!found.count(id)) return diagnose("no camera with ID " + o.id + " answered the search"), kExitNotFound;

    const NetworkSettings s = validate(o, found[id]);
    if (s.errorRow) return diagnoseCamera(o.id, s.errorRow), kExitInvalid;
    std::memcpy(wanted.deviceId, found[id].deviceId, kIdSize);
    storePassword(password, &wanted);
    wanted.httpPort = toNetPort(s.port);
    wanted.ip = s.ip;
    wanted.mask = s.mask;
    wanted.gateway = s.gateway;
    wanted.dns = s.dns;
    search.drop();
    if (!postSetNetwork(search.worker(), wanted)) return diagnoseCamera(o.id, kTextThreadError), kExitFailed;
    return awaitConfirmation(search, o, wanted);
}

}  // namespace

int runSetNetwork(int argc, char** argv) {
    return runSubcommand<SetNetworkOptions>(argc, argv, kSetNetworkUsage, parseOptions, setNetwork);
}

}  // namespace lenscout
