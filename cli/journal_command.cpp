#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "cli/cli_messages.h"
#include "cli/subcommands.h"
#include "site/camera_json.h"
#include "site/exit_status.h"
#include "site/journal.h"
#include "site/output_text.h"
#include "site/undo_plan.h"

namespace lenscout {

namespace {

struct JournalCommandOptions {
    JournalOptions journal;
    std::string run;
    std::string undoRun;
    std::string oneByOne;
    bool json = false;
};

const SubcommandText kJournalText = {
    "journal", "print the journal of changes, or the plan that undoes a run",
    "Prints the journal's lines, oldest first: the time, the run, the command, whether the line was written before "
    "the request (attempt) or after it (its outcome), the camera and its address. --undo-plan RUN writes to "
    "standard output a provisioning plan that puts each camera that run may have changed back to the settings it "
    "showed before; DHCP cannot be seen in a camera's answer, so the plan gives its fixed settings. Cameras that "
    "shared one address before the run (a factory site) are put back one at a time: --one-by-one DIR writes a "
    "plan for each, applied in turn with provision --allow-shared."};

void declareJournalOptions(CLI::App& command, JournalCommandOptions* o) {
    command.add_option("--journal", o->journal.path, "the journal to read (the user's state folder)")->option_text("F");
    CLI::Option* run = command.add_option("--run", o->run, "only the lines of this run")->option_text("RUN");
    CLI::Option* undo =
        command.add_option("--undo-plan", o->undoRun, "write the plan that puts this run's cameras back")
            ->option_text("RUN")
            ->excludes(run);
    command
        .add_option("--one-by-one", o->oneByOne,
                    "with --undo-plan: write a plan per camera into DIR, and print the command that applies each, "
                    "for cameras that shared one address before the run")
        ->option_text("DIR")
        ->needs(undo);
    command.add_flag("--json", o->json, "print the lines as they are, one JSON object each")->excludes(undo);
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

// A plan per camera in `dir`, to be applied one after the other.
int writeOneByOne(const std::vector<UndoRow>& rows, const JournalCommandOptions& o) {
    std::vector<std::string> paths;
    const bool written = writeUndoPlans(rows, o.undoRun, o.oneByOne, &paths);
    for (const std::string& path : paths)
        std::printf("lenscout-cli provision %s --allow-shared\n", terminalSafe(path).c_str());
    return written ? kExitOk : (diagnose("cannot write a plan in " + o.oneByOne), kExitFailed);
}

int writeUndoPlan(const std::vector<Json>& lines, const JournalCommandOptions& o) {
    const std::vector<UndoRow> rows = undoRows(lines, o.undoRun);
    if (rows.empty()) return diagnose("no change of run " + o.undoRun + " in the journal"), kExitUsage;
    if (!o.oneByOne.empty()) return writeOneByOne(rows, o);
    size_t count = 0;
    const std::string shared = sharedOldAddress(rows, &count);
    if (!shared.empty())
        return diagnose(std::to_string(count) + " cameras of run " + o.undoRun + " were at " + shared +
                        " before it, and one plan never moves two cameras onto one address. Put them back one at "
                        "a time: --undo-plan " +
                        o.undoRun + " --one-by-one DIR writes a plan per camera, and the provision command of each"),
               kExitInvalid;
    std::fputs(undoCsv(rows).c_str(), stdout);
    return kExitOk;
}

int journal(const JournalCommandOptions& o) {
    const std::string path = journalPath(o.journal);
    std::vector<Json> lines;
    size_t unreadable = 0;
    if (path.empty() || !readJournalLines(path, &lines, &unreadable))
        return diagnose("cannot read the journal " + (path.empty() ? "(no state folder)" : path)), kExitUsage;
    if (unreadable) diagnose("warning: " + std::to_string(unreadable) + " lines of " + path + " are not JSON, skipped");
    if (!o.undoRun.empty()) return writeUndoPlan(lines, o);
    return printLines(lines, o);
}

}  // namespace

Subcommand addJournalCommand(CLI::App& cli) {
    return addSubcommand<JournalCommandOptions>(cli, kJournalText, declareJournalOptions, journal);
}

}  // namespace lenscout
