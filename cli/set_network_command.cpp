#include "cli/subcommands.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "app/string_table.h"
#include "cli/camera_json.h"
#include "cli/camera_search.h"
#include "cli/cli_messages.h"
#include "cli/credentials.h"
#include "cli/exit_status.h"
#include "cli/journal.h"
#include "cli/outcome.h"
#include "cli/scan_format.h"
#include "cli/tool_language.h"
#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "discovery/message_ids.h"
#include "platform/gbk.h"
#include "platform/secrets.h"
#include "platform/socket.h"
#include "platform/terminal.h"
#include "platform/tick_clock.h"
#include "ui/failure_texts.h"
#include "ui/network_settings.h"

namespace lenscout {

namespace {

struct SetNetworkOptions : SettingsCommandOptions {
    std::string id;
    bool dhcp = false;
    std::map<std::string, std::string> addresses;  // ip, mask, gateway, dns as given
    bool havePort = false;
    int32_t portField = 0;
};

// What --help says of it.
const SubcommandText kSetNetworkText = {
    "set-network", "change one camera's address, mask, gateway, DNS and HTTP port",
    "Finds the camera by a search, checks the new settings as the Network Configuration dialog does, sends "
    "them, and waits until the camera answers with them. An address or port not given keeps the camera's "
    "current one."};

void declareOptions(CLI::App& command, SetNetworkOptions* o) {
    command.add_option("--id", o->id, "the camera's device ID")->option_text("ID")->required()->check(nonEmpty());
    CLI::Option* dhcp = command.add_flag("--dhcp", o->dhcp, "let the camera take its address from DHCP");
    const char* const addresses[][2] = {{"ip", "the camera's IP address"},
                                        {"mask", "its subnet mask"},
                                        {"gateway", "its gateway"},
                                        {"dns", "its DNS server"}};
    for (const auto& address : addresses) {
        const std::string key = address[0];
        command
            .add_option_function<std::string>(
                "--" + key, [o, key](const std::string& value) { o->addresses[key] = value; }, address[1])
            ->option_text("A")
            ->excludes(dhcp);
    }
    command
        .add_option_function<std::string>(
            "--http-port",
            [o](const std::string& value) {
                o->havePort = true;
                o->portField = portFieldValue(value);
            },
            "the camera's HTTP port")
        ->option_text("N")
        // The dialog's field keeps the low 16 bits; typed here, 65616 is no 80.
        ->check(CLI::Range(1, 65535));
    addSettingsCommandOptions(
        command, o,
        {"the camera's", "seconds to find the camera", "seconds to wait for its answer with the new settings",
         "print the confirmed camera as JSON"});
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

// The worker's failure or the camera's refusal, said under the ID, or the
// user's Ctrl-C; nothing for any other event.
std::optional<Outcome> failedOrRefused(const SearchEvent& event, const std::string& id) {
    if (interruptsSeen() > 0) return diagnose(id + ": interrupted: sent, and not confirmed"), Outcome::Interrupted;
    if (event.code == kScanSocketFailure) return diagnoseCamera(id, kTextSocketError), Outcome::Failed;
    if (isRefusalCode(event.code)) return diagnoseCamera(id, kTextIncorrectCredentials), Outcome::Refused;
    return std::nullopt;
}

// A camera told to take its address from DHCP can only refuse: a search
// reply shows no mode, and the address it shows may be the old one. Once it
// has answered a search well after the request without refusing, the
// request is as good as it can be known: sent, not confirmed.
Outcome awaitDhcpRefusal(CameraSearch& search, const SetNetworkOptions& o, const CameraInfo& wanted) {
    const uint32_t sent = tickCount(), until = sent + o.waitMs;
    while (!tickReached(tickCount(), until)) {
        SearchEvent event;
        search.next(std::min(until, tickCount() + 100), &event);
        if (const std::optional<Outcome> end = failedOrRefused(event, o.id)) return *end;
        if (event.camera && sameText(event.camera->deviceId, wanted.deviceId) &&
            tickCount() - sent >= kDhcpRefusalWindowMs)
            break;
    }
    diagnose(o.id + ": sent, not confirmed: a camera's answer cannot show that it took DHCP");
    return Outcome::SentNotConfirmed;
}

// After the request: the camera's refusal, or its reply with the settings,
// which lands in `answer`. A camera that takes seconds to apply is asked
// again every kMinSearchGapMs.
Outcome awaitConfirmation(CameraSearch& search, const SetNetworkOptions& o, const CameraInfo& wanted,
                          CameraInfo* answer) {
    if (o.dhcp) return awaitDhcpRefusal(search, o, wanted);
    const uint32_t until = tickCount() + o.waitMs;
    while (!tickReached(tickCount(), until)) {
        search.searchOften();
        SearchEvent event;
        search.next(std::min(until, tickCount() + 100), &event);
        if (const std::optional<Outcome> end = failedOrRefused(event, o.id)) return *end;
        if (event.camera && showsSettings(*event.camera, wanted)) {
            *answer = *event.camera;
            if (!o.json) std::printf("%s\n", foundCameraLine(*event.camera, false).c_str());
            return Outcome::Confirmed;
        }
    }
    diagnoseCamera(o.id, kTextTimeOut);
    return Outcome::NotConfirmed;
}

int setNetwork(const SetNetworkOptions& o) {
    selectToolLanguage(o.language);
    CameraInfo wanted{};
    SettingsError error = SettingsError::None;
    if (complete(o) && (error = validate(o, wanted).error) != SettingsError::None)
        return diagnoseCamera(o.id, textRow(error)), kExitInvalid;
    int status = kExitOk;
    if (!fitsGbk("the ID " + o.id, o.id)) return kExitInvalid;
    if (!takeUser(o.credentials, &wanted, &status, o.id) || !takePassword(o.credentials, &wanted, &status))
        return status;

    CameraSearch search;
    std::map<std::string, CameraInfo> found;
    const std::string id = cameraIdOf(o.id);
    if (!search.searchFor({id}, o.searchMs, &found, &status, o.id)) return status;
    if (!found.count(id)) return diagnose("no camera with ID " + o.id + " answered the search"), kExitNotFound;
    if (found[id].conflict) return diagnoseConflict(o.id, found[id]), exitStatusOf(Outcome::IdConflict);

    const NetworkSettings s = validate(o, found[id]);
    if (s.error != SettingsError::None) return diagnoseCamera(o.id, textRow(s.error)), kExitInvalid;
    std::memcpy(wanted.deviceId, found[id].deviceId, kIdSize);
    keepWhereHeard(&wanted, found[id]);
    wanted.httpPort = toNetPort(s.port);
    wanted.ip = s.ip;
    wanted.mask = s.mask;
    wanted.gateway = s.gateway;
    wanted.dns = s.dns;
    search.drop();
    const JournalEntry entry = settingsChange(found[id], wanted, o.dhcp);
    Journal journal(o.journal, "set-network");
    // From the request on, the first Ctrl-C ends the wait with what is
    // known; the journal has the attempt before the request goes.
    countInterrupts();
    journal.attempt(entry);
    const bool posted = postSetNetwork(search.worker(), wanted);
    wipe(wanted.password, sizeof wanted.password);
    CameraInfo answer{};
    const Outcome outcome = posted ? awaitConfirmation(search, o, wanted, &answer) : Outcome::Failed;
    if (!posted) diagnoseCamera(o.id, kTextThreadError);
    journal.outcome(entry, outcomeWord(outcome));
    if (o.json) {
        Json line = {{"id", o.id}, {"outcome", outcomeWord(outcome)}, {"old", entry.old}, {"planned", entry.planned}};
        if (outcome == Outcome::Confirmed) line.set("camera", cameraObject(answer, fieldsFor(kInScan)));
        std::printf("%s\n", jsonText(line).c_str());
    }
    return exitStatusOf(outcome);
}

}  // namespace

Subcommand addSetNetworkCommand(CLI::App& cli) {
    return addSubcommand<SetNetworkOptions>(cli, kSetNetworkText, declareOptions, setNetwork);
}

}  // namespace lenscout
