#include "cli/subcommands.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "app/string_table.h"
#include "cli/cli_messages.h"
#include "cli/command_options.h"
#include "cli/credentials.h"
#include "cli/plan_messages.h"
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
#include "site/camera_json.h"
#include "site/camera_search.h"
#include "site/exit_status.h"
#include "site/journal.h"
#include "site/outcome.h"
#include "site/settings_run.h"
#include "site/site_plan.h"
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

// The command line as a plan of one row: blank cells keep the camera's own.
PlanRow planRow(const SetNetworkOptions& o) {
    PlanRow row;
    row.line = 1;
    row.id = o.id;
    row.dhcp = o.dhcp;
    const auto cell = [&](const char* key) -> std::optional<std::string> {
        const auto it = o.addresses.find(key);
        return it == o.addresses.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    row.ip = cell("ip"), row.mask = cell("mask"), row.gateway = cell("gateway"), row.dns = cell("dns");
    if (o.havePort) row.port = std::to_string(o.portField);
    return row;
}

void printJson(const SetNetworkOptions& o, const Change& c, const CameraInfo* answer) {
    if (!o.json) return;
    Json line = {{"id", o.id}, {"outcome", outcomeWord(c.outcome)}};
    if (c.current.deviceId[0]) {
        const JournalEntry entry = journalEntry(c);
        line.set("current", entry.old).set("planned", entry.planned);
    }
    if (answer) line.set("camera", cameraObject(*answer, fieldsFor(kInScan)));
    std::printf("%s\n", jsonText(line).c_str());
}

// An outcome reached before anything was sent: said, and printed as JSON.
int endBeforeSending(const SetNetworkOptions& o, Change& c, Outcome outcome) {
    c.outcome = outcome;
    printJson(o, c, nullptr);
    return exitStatusOf(outcome);
}

// The camera's outcome in the system's own words.
void sayOutcome(const SetNetworkOptions& o, const Change& c) {
    switch (c.outcome) {
    case Outcome::Refused: return diagnoseCamera(o.id, kTextIncorrectCredentials);
    case Outcome::NotConfirmed: return diagnoseCamera(o.id, kTextTimeOut);
    case Outcome::Failed: return diagnoseCamera(o.id, kTextSocketError);
    case Outcome::Interrupted: return diagnose(o.id + ": interrupted: sent, and not confirmed");
    case Outcome::SentNotConfirmed:
        return diagnose(o.id + ": sent, not confirmed: a camera's answer cannot show that it took DHCP");
    default: return;
    }
}

int setNetwork(const SetNetworkOptions& o) {
    selectToolLanguage(o.language);
    Change c;
    c.row = planRow(o);
    std::vector<PlanIssue> issues;
    checkCells(c.row, &issues);
    if (!issues.empty())
        return diagnoseCamera(o.id, textRow(issues[0].setting)), endBeforeSending(o, c, Outcome::Invalid);
    CameraInfo credentials{};
    int status = kExitOk;
    if (!fitsGbk("the ID " + o.id, o.id)) return kExitInvalid;
    if (!takeUser(o.credentials, &credentials, &status, o.id) || !takePassword(o.credentials, &credentials, &status))
        return status;

    CameraSearch search;
    search.onNoInterface([] { noInterface("lenscout-cli"); });
    std::map<std::string, CameraInfo> found;
    const std::string id = cameraIdOf(o.id);
    if (searchFailed(search.searchFor({id}, o.searchMs, &found), o.id, &status)) return status;
    if (!found.count(id))
        return diagnose("no camera with ID " + o.id + " answered the search"),
               endBeforeSending(o, c, Outcome::NotFound);
    c.current = found[id];
    if (c.current.conflict) return diagnoseConflict(o.id, c.current), endBeforeSending(o, c, Outcome::IdConflict);
    if (!planChange(c, &issues)) {
        const PlanIssue& i = issues[0];
        if (i.problem == PlanProblem::BadSetting) diagnoseCamera(o.id, textRow(i.setting));
        else
            diagnose(planIssueText(i));
        return endBeforeSending(o, c, Outcome::Invalid);
    }
    std::vector<Change> changes = {c};
    Journal journal(o.journal, "set-network", journalWarning());
    // From the request on, the first Ctrl-C ends the wait with what is
    // known; the journal has the attempt before the request goes.
    countInterrupts();
    CameraInfo answer{};
    SendEvents events;
    events.ended = [&](const Change& ended) { answer = ended.answer; };
    SettingsRun run(search, changes, credentials, {1, o.waitMs, -1}, journal, events,
                    [] { return interruptsSeen() > 0; });
    run.run();
    wipe(credentials.password, sizeof credentials.password);
    const Change& done = changes[0];
    sayOutcome(o, done);
    if (done.outcome == Outcome::Confirmed && !o.json) std::printf("%s\n", foundCameraLine(answer, false).c_str());
    printJson(o, done, done.outcome == Outcome::Confirmed ? &answer : nullptr);
    return exitStatusOf(done.outcome);
}

}  // namespace

Subcommand addSetNetworkCommand(CLI::App& cli) {
    return addSubcommand<SetNetworkOptions>(cli, kSetNetworkText, declareOptions, setNetwork);
}

}  // namespace lenscout
