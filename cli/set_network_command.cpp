#include "cli/subcommands.h"

#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "app/string_table.h"
#include "cli/camera_command.h"
#include "cli/cli_messages.h"
#include "cli/plan_messages.h"
#include "cli/scan_format.h"
#include "cli/settings_report.h"
#include "platform/gbk.h"
#include "platform/interface_table.h"
#include "site/camera_json.h"
#include "site/exit_status.h"
#include "site/settings_run.h"
#include "site/site_judge.h"
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
    addSettingsCommandOptions(command, o, {"the camera's", "seconds to find the camera", "print the outcome as JSON"},
                              "seconds to wait for its answer with the new settings");
}

// The command line as a plan of one row: blank cells keep the camera's own.
PlanRow planRow(const SetNetworkOptions& o) {
    PlanRow row;
    row.line = 1;
    row.id = gbkToUtf8(cameraIdOf(o.id));
    row.dhcp = o.dhcp;
    const auto cell = [&](const char* key) -> std::optional<std::string> {
        const auto it = o.addresses.find(key);
        return it == o.addresses.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    row.ip = cell("ip"), row.mask = cell("mask"), row.gateway = cell("gateway"), row.dns = cell("dns");
    if (o.havePort) row.port = std::to_string(o.portField);
    return row;
}

// One object whatever became of the camera.
void printJson(const SetNetworkOptions& o, const Change& c) {
    if (!o.json) return;
    Json line = {{"id", o.id}, {"outcome", outcomeWord(c.outcome)}};
    if (c.current.deviceId[0]) {
        const JournalEntry entry = journalEntry(c);
        line.set("current", entry.old).set("planned", entry.planned);
    }
    if (c.outcome == Outcome::Confirmed) line.set("camera", cameraObject(c.answer, fieldsFor(kInScan)));
    std::printf("%s\n", jsonText(line).c_str());
}

// The camera's outcome in the system's own words.
void sayOutcome(const SetNetworkOptions& o, const Change& c) {
    switch (c.outcome) {
    case Outcome::Refused: return diagnoseCamera(o.id, kTextIncorrectCredentials);
    case Outcome::NotConfirmed: return diagnoseCamera(o.id, kTextTimeOut);
    case Outcome::Failed: return diagnoseCamera(o.id, kTextThreadError);
    case Outcome::Interrupted: return diagnose(o.id + ": interrupted: sent, and not confirmed");
    case Outcome::SentNotConfirmed:
        return diagnose(o.id + ": sent, not confirmed: a camera's answer cannot show that it took DHCP");
    case Outcome::Confirmed:
        if (!o.json) std::printf("%s\n", foundCameraLine(c.answer, false).c_str());
        return;
    default: return;
    }
}

// Why the plan of one row cannot go, in the dialog's words where it has them.
void sayWhyNot(const SetNetworkOptions& o, const JudgedPlan& judged) {
    const Change& c = judged.changes[0];
    if (c.outcome == Outcome::NotFound) return diagnose("no camera with ID " + o.id + " answered the search");
    if (c.outcome == Outcome::IdConflict) return diagnoseConflict(o.id, c.current);
    for (const PlanIssue& i : judged.errors)
        if (i.problem == PlanProblem::BadSetting) diagnoseCamera(o.id, textRow(i.setting));
        else
            diagnose(o.id + ": " + planProblemText(i));
}

int setNetwork(const SetNetworkOptions& o) {
    Change c;
    c.row = planRow(o);
    std::vector<PlanIssue> issues;
    checkCells(c.row, &issues);
    const auto checkRow = [&](int* status) {
        if (!fitsGbk("the ID " + o.id, o.id)) return *status = kExitInvalid, false;
        if (issues.empty()) return true;
        diagnoseCamera(o.id, textRow(issues[0].setting));
        c.outcome = Outcome::Invalid;
        printJson(o, c);
        return *status = kExitInvalid, false;
    };
    Opening opening;
    int status = kExitOk;
    if (!openOnCameras(o, {cameraIdOf(o.id)}, false, checkRow, &opening, &status, o.id)) return status;
    std::vector<Ipv4Interface> own;
    readInterfaceTable(&own);
    JudgedPlan judged = judgePlan({c.row}, opening.everyone, own, {});
    if (!judged.errors.empty()) {
        sayWhyNot(o, judged);
        printJson(o, judged.changes[0]);
        return judged.status;
    }
    Journal journal(o.journal, "set-network", journalWarning());
    SettingsRun run(opening.search, judged.changes, opening.credentials, {1, o.waitMs, -1}, journal,
                    o.progress == "json" ? progressEvents(true) : SendEvents{}, stopOnInterrupt());
    run.run();
    sayOutcome(o, judged.changes[0]);
    printJson(o, judged.changes[0]);
    return exitStatusOf(judged.changes[0].outcome);
}

}  // namespace

Subcommand addSetNetworkCommand(CLI::App& cli) {
    return addSubcommand<SetNetworkOptions>(cli, kSetNetworkText, declareOptions, setNetwork);
}

}  // namespace lenscout
