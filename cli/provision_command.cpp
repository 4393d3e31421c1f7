#include "cli/subcommands.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/camera_command.h"
#include "cli/cli_messages.h"
#include "cli/plan_messages.h"
#include "cli/settings_report.h"
#include "platform/terminal.h"
#include "platform/text_codecs.h"
#include "site/exit_status.h"

namespace lenscout {

namespace {

struct ProvisionOptions : SettingsCommandOptions {
    ProvisionOptions() { waitMs = 30000; }
    std::string plan;
    uint64_t jobs = 256;
    bool dryRun = false;
    int64_t maxFailures = -1;
    std::vector<std::string> only;
    uint64_t limit = 0;
    bool skipMissing = false;
    bool allowShared = false;
};

// What --help says of it.
const SubcommandText kProvisionText = {
    "provision", "set the network of many cameras from a plan",
    "Reads PLAN (CSV as a spreadsheet saves it, with a header row and the columns of inventory, plus dhcp; a "
    "blank cell keeps the current value) and checks every row with the Network Configuration dialog's rules "
    "before any search. After one search it judges the site as the plan would leave it, whatever the order of "
    "the rows, and refuses, before anything is sent: two devices at one address, an address of this computer, "
    "an address that is the network's own, its broadcast, its gateway or its DNS server, cameras that would "
    "trade addresses, an ID that two devices answer with, and a camera that did not answer (unless "
    "--skip-missing). "
    "It warns of an address that several cameras keep sharing. Then it sends the requests, the first alone and "
    "then, once it has confirmed, up to --jobs at once; a camera counts as done only when it answers with the "
    "planned settings; one "
    "already there is unchanged and gets none. It stops at the first refused login, unless --max-failures says "
    "otherwise, and at the first Ctrl-C (a second ends it at once)."};

void declareProvisionOptions(CLI::App& command, ProvisionOptions* o) {
    command.add_option("PLAN", o->plan, "the plan: CSV with the inventory's columns, and dhcp")->required();
    command.add_option("--jobs", o->jobs, "how many requests to have out at once (256)")
        ->option_text("N")
        ->check(CLI::Range(uint64_t{1}, uint64_t{1024}));
    command.add_flag("--dry-run", o->dryRun, "print the changes, current -> planned, and send nothing");
    command
        .add_option("--max-failures", o->maxFailures,
                    "go on while at most K cameras failed (refused, not confirmed); by default stop at the first "
                    "refused login")
        ->option_text("K")
        ->check(CLI::Range(int64_t{0}, int64_t{1000000}));
    addIdsOption(command, &o->only, "change only this camera of the plan (may be repeated)");
    command.add_flag("--skip-missing", o->skipMissing,
                     "provision the cameras that answered; one that did not is reported not-found, and its planned "
                     "address stays reserved");
    command.add_flag("--allow-shared", o->allowShared,
                     "let a camera join an address that other devices keep, with a warning: the undo of a site "
                     "moved off one factory address, a camera at a time");
    command.add_option("--limit", o->limit, "change only the first N cameras that need a change")
        ->option_text("N")
        ->check(CLI::Range(uint64_t{1}, uint64_t{1000000}));
    addSettingsCommandOptions(command, o,
                              {"the cameras'",
                               "seconds of the search before anything is sent (it ends sooner once every planned "
                               "camera answered)",
                               "print the outcomes as one JSON array"},
                              "seconds each camera may take to confirm its new settings");
}

// The plan's rows, each checked on its own; false with the reasons said.
bool readPlanFile(const ProvisionOptions& o, std::vector<PlanRow>* rows, int* status) {
    *status = kExitInvalid;
    std::vector<std::string> errors;
    std::vector<PlanIssue> issues;
    if (!loadPlan(o.plan, rows, &errors, &issues)) return diagnose("cannot read the plan " + o.plan), false;
    for (const PlanIssue& i : issues) errors.push_back(planIssueText(i));
    for (const std::string& id : o.only)
        if (std::none_of(rows->begin(), rows->end(), [&](const PlanRow& r) { return r.id == id; }))
            errors.push_back("--id " + id + ": no row of the plan has this ID");
    for (const std::string& e : errors) diagnose(o.plan + ": " + e);
    if (!errors.empty()) diagnose("nothing was sent");
    return errors.empty();
}

void report(const ProvisionOptions& o, const std::vector<Change>& changes, const std::vector<PlanIssue>& problems) {
    if (o.json) printChangesJson(changes, problems);
    else
        printChanges(changes);
}

int provision(const ProvisionOptions& o) {
    std::vector<PlanRow> rows;
    Opening opening;
    std::vector<std::string> awaited;
    int status = kExitOk;
    const auto readRows = [&](int* s) {
        if (!readPlanFile(o, &rows, s)) return false;
        for (const PlanRow& r : rows) awaited.push_back(utf8ToGbk(r.id));
        return true;
    };
    if (!openOnCameras(o, awaited, o.dryRun, readRows, &opening, &status)) {
        if (o.json && status != kExitUsage) std::printf("[]\n");
        return status;
    }
    std::vector<Ipv4Interface> own;
    readInterfaceTable(&own);
    JudgedPlan judged = judgePlan(rows, opening.everyone, own, {o.only, o.limit, o.skipMissing, o.allowShared});
    for (const PlanIssue& w : judged.warnings) diagnose("warning: " + planIssueText(w));
    if (!judged.errors.empty()) {
        sayRefused(o.plan, judged);
        markNotSent(judged.changes);
        report(o, judged.changes, judged.errors);
        return judged.status;
    }
    std::vector<Change>& changes = judged.changes;
    if (o.dryRun) {
        for (Change& c : changes)
            if (c.outcome == Outcome::Pending) c.outcome = Outcome::WouldChange;
        report(o, changes, {});
        return exitStatusOf(changes);
    }
    Journal journal(o.journal, "provision", journalWarning());
    SettingsRun run(opening.search, changes, opening.credentials, {o.jobs, o.waitMs, o.maxFailures}, journal,
                    progressEvents(o.progress == "json"), stopOnInterrupt());
    run.run();
    report(o, changes, {});
    status = exitStatusOf(changes);
    if (run.unpinnedRefusal()) status = worseStatus(status, kExitRefused);
    return interruptsSeen() ? kExitInterrupted : status;
}

}  // namespace

Subcommand addProvisionCommand(CLI::App& cli) {
    return addSubcommand<ProvisionOptions>(cli, kProvisionText, declareProvisionOptions, provision);
}

}  // namespace lenscout
