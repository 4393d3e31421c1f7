#pragma once
// The journal: one JSON line for every change that a command attempts, with
// the time, the camera, its old and planned values and the outcome; never a
// password. By default $XDG_STATE_HOME/lenscout/journal.jsonl (Windows:
// %LOCALAPPDATA%\lenscout\journal.jsonl); --journal F picks another file,
// --no-journal writes none.
#include <cstdint>
#include <ctime>
#include <string>

#include "cli/command_line.h"
#include "cli/tool_language.h"

namespace lenscout {

struct JournalOptions {
    std::string path;  // empty: the default place
    bool off = false;
};
void addJournalOptions(CLI::App& command, JournalOptions* o);

// The options of the commands that change cameras' settings: the
// credentials, how long to search and to wait for the answers, JSON, the
// journal and the language.
struct SettingsCommandOptions {
    CredentialOptions credentials;
    uint32_t searchMs = 4000;
    uint32_t waitMs = 10000;
    bool json = false;
    int64_t language = kLanguageUnset;
    JournalOptions journal;
};
// What each of them means for one command.
struct SettingsCommandTexts {
    const char* whose;   // "the camera's"
    const char* search;  // --search
    const char* wait;    // --wait
    const char* json;    // --json
};
void addSettingsCommandOptions(CLI::App& command, SettingsCommandOptions* o, const SettingsCommandTexts& texts);

// One attempted change. `oldValues` and `planned` are JSON objects.
struct JournalEntry {
    std::string command;
    std::string id;  // UTF-8
    uint32_t ip = 0;
    std::string oldValues;
    std::string planned;
    std::string outcome;
};
// The entry's line, at `when` (UTC), ending in a line feed.
std::string journalLine(const JournalEntry& entry, std::time_t when);

// Appends the entry now, unless the journal is off; a journal that cannot be
// written brings a warning, not a failure of the command.
void record(const JournalOptions& o, const JournalEntry& entry);

}  // namespace lenscout
