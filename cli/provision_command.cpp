#include "cli/subcommands.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "app/string_table.h"
#include "cli/cli_messages.h"
#include "cli/command_options.h"
#include "cli/credentials.h"
#include "cli/plan_messages.h"
#include "cli/tool_language.h"
#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "platform/gbk.h"
#include "platform/interface_table.h"
#include "platform/socket.h"
#include "platform/terminal.h"
#include "site/camera_json.h"
#include "site/camera_search.h"
#include "site/exit_status.h"
#include "site/journal.h"
#include "site/outcome.h"
#include "site/output_text.h"
#include "site/plan_csv.h"
#include "site/settings_run.h"
#include "site/site_plan.h"

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
    std::string progress = "text";
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

void declareOptions(CLI::App& command, ProvisionOptions* o) {
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
    command.add_option("--limit", o->limit, "change only the first N cameras that need a change")
        ->option_text("N")
        ->check(CLI::Range(uint64_t{1}, uint64_t{1000000}));
    command.add_option("--progress", o->progress, "how to show progress on standard error: text or json")
        ->option_text("FORM")
        ->check(CLI::IsMember({"text", "json"}));
    addSettingsCommandOptions(
        command, o,
        {"the cameras'",
         "seconds of the search before anything is sent (it ends sooner once every planned camera "
         "answered)",
         "seconds each camera may take to confirm its new settings", "print the outcomes as one JSON array"});
}

std::string settingsText(const CameraInfo& c, bool dhcp) {
    if (dhcp) return "dhcp :" + std::to_string(toHostPort(c.httpPort));
    return dottedQuad(c.ip) + " mask " + dottedQuad(c.mask) + " gw " + dottedQuad(c.gateway) + " dns " +
           dottedQuad(c.dns) + " :" + std::to_string(toHostPort(c.httpPort));
}

Json changeObject(const Change& c) {
    return {{"id", c.row.id},
            {"line", c.row.line},
            {"current", settingsObject(c.current, DhcpMode::Unknown)},
            {"planned", settingsObject(c.wanted, c.row.dhcp ? DhcpMode::On : DhcpMode::Off)},
            {"outcome", outcomeWord(c.outcome)}};
}

void report(const ProvisionOptions& o, const std::vector<Change>& changes) {
    if (o.json) {
        Json all = Json::array();
        for (const Change& c : changes) all.push(changeObject(c));
        std::printf("%s\n", jsonText(all).c_str());
        return;
    }
    for (const Change& c : changes)
        std::printf("%s  %s -> %s  %s\n", terminalSafe(c.row.id).c_str(), settingsText(c.current, false).c_str(),
                    settingsText(c.wanted, c.row.dhcp).c_str(), outcomeWord(c.outcome));
}

const char* noticeText(RunNotice notice) {
    switch (notice) {
    case RunNotice::RefusalUnpinned:
        return "a camera refused the user or password; %lld requests went to its address, so each of them is tried "
               "again alone";
    case RunNotice::StoppedAtRefusal:
        return "stopped at the first refused login: no other camera is sent the password (--max-failures to go on)";
    case RunNotice::StoppedAfterFailures:
        return "stopped after %lld failures (over --max-failures): no other camera is sent a request";
    case RunNotice::Interrupted: return "interrupted: no other request is sent; again to stop at once";
    }
    return "";
}

// Progress on standard error: a line per request and per outcome, or the
// same as JSON lines for a program.
SendEvents progressEvents(const ProvisionOptions& o) {
    const bool json = o.progress == "json";
    auto line = [json](const char* event, const Change& c) {
        if (json) {
            Json j = {{"event", event}, {"id", c.row.id}};
            if (c.outcome != Outcome::Pending) j.set("outcome", outcomeWord(c.outcome));
            std::fprintf(stderr, "%s\n", jsonText(j).c_str());
        } else {
            std::fprintf(stderr, "%s: %s\n", terminalSafe(c.row.id).c_str(),
                         c.outcome == Outcome::Pending ? "sent" : outcomeWord(c.outcome));
        }
    };
    auto notice = [](RunNotice n, int64_t count) {
        char text[256];
        std::snprintf(text, sizeof text, noticeText(n), static_cast<long long>(count));
        diagnose(text);
    };
    auto notSent = [](const PlanIssue& issue) { diagnose(planIssueText(issue)); };
    return {[line](const Change& c) { line("sent", c); }, [line](const Change& c) { line("ended", c); }, notice,
            notSent};
}

// The plan's rows, each checked on its own; false with the reasons said.
bool readPlanFile(const ProvisionOptions& o, std::vector<PlanRow>* rows) {
    std::string text;
    if (!readTextFile(o.plan, &text)) return diagnose("cannot read the plan " + terminalSafe(o.plan)), false;
    std::vector<std::string> errors;
    readPlan(text, rows, &errors);
    std::vector<PlanIssue> issues;
    for (const PlanRow& r : *rows) checkCells(r, &issues);
    for (const PlanIssue& i : issues) errors.push_back(planIssueText(i));
    for (const std::string& id : o.only)
        if (std::none_of(rows->begin(), rows->end(), [&](const PlanRow& r) { return r.id == id; }))
            errors.push_back("--id " + id + ": no row of the plan has this ID");
    for (const std::string& e : errors) diagnose(o.plan + ": " + e);
    return errors.empty();
}

// The run's changes over the cameras found; false with the errors listed.
bool planChanges(const ProvisionOptions& o, const std::vector<PlanRow>& rows, const std::vector<CameraInfo>& everyone,
                 std::vector<Change>* changes, std::vector<PlanIssue>* errors, int* status) {
    for (const PlanRow& r : rows) {
        if (!o.only.empty() && std::find(o.only.begin(), o.only.end(), r.id) == o.only.end()) continue;
        const auto it = std::find_if(everyone.begin(), everyone.end(),
                                     [&](const CameraInfo& f) { return fieldText(f.deviceId) == utf8ToGbk(r.id); });
        Change c;
        c.row = r;
        if (it == everyone.end()) {
            // Skipped, it stays in the run as not-found; its planned
            // address is judged as taken.
            if (o.skipMissing) {
                c.outcome = Outcome::NotFound;
                if (r.ip && !r.dhcp) parseIpv4(r.ip->c_str(), &c.wanted.ip);
                changes->push_back(c);
                continue;
            }
            errors->push_back(rowIssue(r, PlanProblem::NotFound));
            *status = worseStatus(*status, kExitNotFound);
            continue;
        }
        if (it->conflict) {
            PlanIssue issue = rowIssue(r, PlanProblem::IdConflict, it->sender);
            issue.other = it->conflictSender;
            errors->push_back(issue);
            *status = worseStatus(*status, kExitConflict);
            continue;
        }
        c.current = *it;
        if (planChange(c, errors)) changes->push_back(c);
        else
            *status = worseStatus(*status, kExitInvalid);
    }
    for (Change& c : *changes)
        if (c.outcome == Outcome::Pending && !c.row.dhcp && showsSettings(c.current, c.wanted))
            c.outcome = Outcome::Unchanged;
    if (o.limit) {
        // The first N that need a change; the rest stay as they are, and
        // the site is judged so.
        uint64_t taken = 0;
        changes->erase(
            std::remove_if(changes->begin(), changes->end(),
                           [&](const Change& c) { return c.outcome == Outcome::Pending && ++taken > o.limit; }),
            changes->end());
    }
    return errors->empty();
}

int exitStatusOf(const std::vector<Change>& changes) {
    int status = kExitOk;
    for (const Change& c : changes) status = worseStatus(status, exitStatusOf(c.outcome));
    return status;
}

int provision(const ProvisionOptions& o) {
    selectToolLanguage(o.language);
    std::vector<PlanRow> rows;
    if (!readPlanFile(o, &rows)) return diagnose("nothing was sent"), kExitInvalid;
    for (const PlanRow& r : rows)
        if (utf8ToGbk(r.id).empty() || gbkToUtf8(utf8ToGbk(r.id)) != r.id)
            return diagnose("line " + std::to_string(r.line) + ": " + terminalSafe(r.id) +
                            " has a character that GBK cannot hold, which no camera could take: nothing was sent"),
                   kExitInvalid;

    CameraInfo credentials{};
    int status = kExitOk;
    if (!takeUser(o.credentials, &credentials, &status)) return status;
    if (!o.dryRun && !takePassword(o.credentials, &credentials, &status)) return status;

    CameraSearch search;
    search.onNoInterface([] { noInterface("lenscout-cli"); });
    std::vector<CameraInfo> everyone;
    std::vector<std::string> awaited;
    for (const PlanRow& r : rows) awaited.push_back(utf8ToGbk(r.id));
    if (searchFailed(search.searchAll(o.searchMs, &everyone, &awaited), "", &status)) return status;

    std::vector<Change> changes;
    std::vector<PlanIssue> errors, warnings;
    int refusal = kExitOk;
    if (planChanges(o, rows, everyone, &changes, &errors, &refusal)) {
        std::vector<Ipv4Interface> own;
        readInterfaceTable(&own);
        judgeEndState(changes, everyone, own, &errors, &warnings);
        if (errors.empty()) orderMoves(changes, &errors);
    }
    for (const PlanIssue& w : warnings) diagnose("warning: " + planIssueText(w));
    for (const PlanIssue& e : errors) diagnose(o.plan + ": " + planIssueText(e));
    if (!errors.empty()) return diagnose("nothing was sent"), refusal == kExitOk ? kExitInvalid : refusal;

    if (o.dryRun) {
        for (Change& c : changes)
            if (c.outcome == Outcome::Pending) c.outcome = Outcome::WouldChange;
        report(o, changes);
        return kExitOk;
    }
    // From here the first Ctrl-C sends no new request; a second ends the
    // program at once.
    countInterrupts();
    Journal journal(o.journal, "provision", journalWarning());
    SettingsRun sender(search, changes, credentials, {o.jobs, o.waitMs, o.maxFailures}, journal, progressEvents(o),
                       [] { return interruptsSeen() > 0; });
    sender.run();
    report(o, changes);
    status = exitStatusOf(changes);
    if (sender.unpinnedRefusal()) status = worseStatus(status, kExitRefused);
    return interruptsSeen() ? kExitInterrupted : status;
}

}  // namespace

Subcommand addProvisionCommand(CLI::App& cli) {
    return addSubcommand<ProvisionOptions>(cli, kProvisionText, declareOptions, provision);
}

}  // namespace lenscout
