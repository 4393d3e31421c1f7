#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "cli/cli_messages.h"
#include "cli/subcommands.h"
#include "site/camera_json.h"
#include "site/exit_status.h"
#include "site/inventory_format.h"
#include "site/journal.h"
#include "site/output_text.h"

namespace lenscout {

namespace {

struct JournalCommandOptions {
    JournalOptions journal;
    std::string run;
    std::string undoRun;
    bool json = false;
};

const SubcommandText kJournalText = {
    "journal", "print the journal of changes, or the plan that undoes a run",
    "Prints the journal's lines, oldest first: the time, the run, the command, whether the line was written before "
    "the request (attempt) or after it (its outcome), the camera and its address. --undo-plan RUN writes to "
    "standard output a provisioning plan that puts each camera that run may have changed back to the settings it "
    "showed before; DHCP cannot be seen in a camera's answer, so the plan gives its fixed settings."};

void declareOptions(CLI::App& command, JournalCommandOptions* o) {
    command.add_option("--journal", o->journal.path, "the journal to read (the user's state folder)")->option_text("F");
    CLI::Option* run = command.add_option("--run", o->run, "only the lines of this run")->option_text("RUN");
    CLI::Option* undo =
        command.add_option("--undo-plan", o->undoRun, "write the plan that puts this run's cameras back")
            ->option_text("RUN")
            ->excludes(run);
    command.add_flag("--json", o->json, "print the lines as they are, one JSON object each")->excludes(undo);
}

// Every line that reads as JSON; the others are counted and said once.
std::vector<Json> readJournal(const std::string& path, bool* readable) {
    std::ifstream in(path, std::ios::binary);
    *readable = static_cast<bool>(in);
    std::vector<Json> lines;
    size_t unreadable = 0;
    for (std::string line; std::getline(in, line);) {
        Json j;
        if (Json::parseObject(line, &j)) lines.push_back(std::move(j));
        else if (!line.empty())
            ++unreadable;
    }
    if (unreadable) diagnose("warning: " + std::to_string(unreadable) + " lines of " + path + " are not JSON, skipped");
    return lines;
}

std::string text(const Json& j, const char* key) {
    const Json member = j.member(key);
    return member.isString() ? member.str() : std::string("-");
}

// Every field came from a file that anyone who can write it may have
// filled: none reaches the terminal raw.
int printLines(const std::vector<Json>& lines, const JournalCommandOptions& o) {
    size_t printed = 0;
    for (const Json& j : lines) {
        if (!o.run.empty() && text(j, "run") != o.run) continue;
        ++printed;
        if (o.json) {
            std::printf("%s\n", jsonText(j).c_str());
            continue;
        }
        // Lines of old journals have no run and no event: they were outcomes.
        const std::string event = j.has("event") ? text(j, "event") : "outcome";
        std::string line;
        for (const std::string& field : {text(j, "time"), text(j, "run"), text(j, "command"), event, text(j, "id"),
                                         text(j, "ip"), event == "outcome" ? text(j, "outcome") : std::string()})
            line += (line.empty() ? "" : "  ") + terminalSafe(field);
        std::printf("%s\n", line.c_str());
    }
    if (printed || o.run.empty()) return kExitOk;
    return diagnose("no line of run " + o.run + " in the journal"), kExitUsage;
}

// A camera the run may have changed: any outcome but these, or an attempt
// with no outcome after it (the run was killed).
bool mayHaveChanged(const std::string& outcome) {
    return outcome != "refused" && outcome != "failed" && outcome != "unchanged" && outcome != "not-sent";
}

std::string settingsCell(const Json& old, const char* key) { return old.has(key) ? old.member(key).str() : ""; }

int writeUndoPlan(const std::vector<Json>& lines, const std::string& run) {
    std::map<std::string, Json> old;  // by ID, in the order first attempted
    std::vector<std::string> order;
    std::map<std::string, std::string> outcome;
    for (const Json& j : lines) {
        if (text(j, "run") != run || !j.member("old").has("ip")) continue;
        const std::string id = text(j, "id");
        if (old.emplace(id, j.member("old")).second) order.push_back(id);
        if (text(j, "event") == "outcome") outcome[id] = text(j, "outcome");
    }
    if (order.empty()) return diagnose("no change of run " + run + " in the journal"), kExitUsage;
    std::string plan = "id,ip,mask,gateway,dns,http_port\r\n";
    for (const std::string& id : order) {
        if (outcome.count(id) && !mayHaveChanged(outcome[id])) continue;
        const Json& o = old[id];
        plan += csvField(id);
        for (const char* key : {"ip", "mask", "gateway", "dns", "http_port"})
            plan += "," + csvField(settingsCell(o, key));
        plan += "\r\n";
    }
    std::fputs(plan.c_str(), stdout);
    return kExitOk;
}

int journal(const JournalCommandOptions& o) {
    const std::string path = journalPath(o.journal);
    bool readable = false;
    const std::vector<Json> lines = path.empty() ? std::vector<Json>{} : readJournal(path, &readable);
    if (!readable)
        return diagnose("cannot read the journal " + (path.empty() ? "(no state folder)" : path)), kExitUsage;
    if (!o.undoRun.empty()) return writeUndoPlan(lines, o.undoRun);
    return printLines(lines, o);
}

}  // namespace

Subcommand addJournalCommand(CLI::App& cli) {
    return addSubcommand<JournalCommandOptions>(cli, kJournalText, declareOptions, journal);
}

}  // namespace lenscout
