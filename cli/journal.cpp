#include "cli/journal.h"

#include "cli/cli_messages.h"
#include "cli/scan_format.h"
#include "discovery/camera_text.h"
#include "platform/append_file.h"

namespace lenscout {

namespace {

// The commands write their journal from one thread only.
std::string isoTime(std::time_t when) {
    char text[32] = "";
    if (const std::tm* utc = std::gmtime(&when)) std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", utc);
    return text;
}

std::string journalPath(const JournalOptions& o) {
    if (!o.path.empty()) return o.path;
    const std::string state = userStateDirectory();
    return state.empty() ? "" : state + "/lenscout/journal.jsonl";
}

}  // namespace

void addJournalOptions(CLI::App& command, JournalOptions* o) {
    CLI::Option* off = command.add_flag("--no-journal", o->off, "keep no record of the change");
    command.add_option("--journal", o->path, "the journal to append the change to (the user's state folder)")
        ->option_text("F")
        ->excludes(off);
}

void addSettingsCommandOptions(CLI::App& command, SettingsCommandOptions* o, const SettingsCommandTexts& texts) {
    addCredentialOptions(command, &o->credentials, texts.whose);
    addSecondsOption(command, "--search", &o->searchMs, texts.search);
    addSecondsOption(command, "--wait", &o->waitMs, texts.wait);
    command.add_flag("--json", o->json, texts.json);
    addJournalOptions(command, &o->journal);
    addLanguageOption(command, &o->language);
}

std::string journalLine(const JournalEntry& e, std::time_t when) {
    return "{\"time\":\"" + isoTime(when) + "\",\"command\":" + jsonString(e.command) + ",\"id\":" + jsonString(e.id) +
           ",\"ip\":\"" + dottedQuad(e.ip) + "\",\"old\":" + e.oldValues + ",\"planned\":" + e.planned +
           ",\"outcome\":" + jsonString(e.outcome) + "}\n";
}

void record(const JournalOptions& o, const JournalEntry& entry) {
    if (o.off) return;
    const std::string path = journalPath(o);
    if (path.empty() || !appendLine(path, journalLine(entry, std::time(nullptr))))
        diagnose("warning: the journal " + (path.empty() ? std::string("(no state folder)") : path) +
                 " cannot be written; the change is not recorded");
}

}  // namespace lenscout
