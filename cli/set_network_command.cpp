#include "cli/subcommands.h"

#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "app/string_table.h"
#include "cli/camera_command.h"
#include "cli/cli_messages.h"
#include "cli/plan_messages.h"
#include "cli/settings_report.h"
#include "platform/text_codecs.h"
#include "site/camera_json.h"
#include "site/exit_status.h"
#include "site/scan_format.h"
#include "ui/failure_texts.h"

namespace lenscout {

namespace {

// The command line is a plan of one row: what is not given keeps the
// camera's own.
struct SetNetworkOptions : SettingsCommandOptions {
    std::string id;  // as typed
    PlanRow row;
};

// What --help says of it.
const SubcommandText kSetNetworkText = {
    "set-network", "change one camera's address, mask, gateway, DNS and HTTP port",
    "Finds the camera by a search, checks the new settings as the Network Configuration dialog does, sends "
    "them, and waits until the camera answers with them. An address or port not given keeps the camera's "
    "current one."};

void declareSetNetworkOptions(CLI::App& command, SetNetworkOptions* o) {
    command.add_option("--id", o->id, "the camera's device ID")->option_text("ID")->required()->check(nonEmpty());
    CLI::Option* dhcp = command.add_flag("--dhcp", o->row.dhcp, "let the camera take its address from DHCP");
    const struct {
        const char *name, *what;
        std::optional<std::string>* cell;
    } addresses[] = {{"--ip", "the camera's IP address", &o->row.ip},
                     {"--mask", "its subnet mask", &o->row.mask},
                     {"--gateway", "its gateway", &o->row.gateway},
                     {"--dns", "its DNS server", &o->row.dns}};
    for (const auto& a : addresses)
        command
            .add_option_function<std::string>(
                a.name, [cell = a.cell](const std::string& value) { *cell = value; }, a.what)
            ->option_text("A")
            ->excludes(dhcp);
    command
        .add_option_function<std::string>(
            "--http-port", [o](const std::string& value) { o->row.port = std::to_string(portFieldValue(value)); },
            "the camera's HTTP port")
        ->option_text("N")
        // The dialog's field keeps the low 16 bits; typed here, 65616 is no 80.
        ->check(CLI::Range(1, 65535));
    addSettingsCommandOptions(command, o, {"the camera's", "seconds to find the camera", "print the outcome as JSON"},
                              "seconds to wait for its answer with the new settings");
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
    case Outcome::Refused:
    case Outcome::NotConfirmed:
    case Outcome::Failed: return diagnoseCamera(o.id, outcomeOf(c.outcome).textRow);
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
    c.row = o.row;
    c.row.line = 1;
    c.row.id = gbkToUtf8(cameraIdOf(o.id));
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
    return addSubcommand<SetNetworkOptions>(cli, kSetNetworkText, declareSetNetworkOptions, setNetwork);
}

}  // namespace lenscout
