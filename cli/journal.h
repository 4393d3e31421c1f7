#pragma once
// The journal: JSON lines for every change that a command attempts, with
// the time, the run, the camera, its old and planned values and the
// outcome; never a password (docs/json.md). By default $XDG_STATE_HOME/lenscout/journal.jsonl (Windows:
// %LOCALAPPDATA%\lenscout\journal.jsonl); --journal F picks another file,
// --no-journal writes none.
#include <cstdint>
#include <ctime>
#include <string>

#include "cli/credentials.h"
#include "cli/json_value.h"
#include "cli/tool_language.h"

// The command-line parser is declared only where the options are: a file
// that writes the journal need not compile it.
namespace CLI {
class App;
}

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

// One change a command attempts on one camera. `old` and `planned` are
// JSON objects.
struct JournalEntry {
    std::string id;  // UTF-8
    uint32_t ip = 0;
    Json old;
    Json planned;
};
// A change of a camera's network settings: what it showed (its DHCP mode
// unknown, as a reply does not show it), and what it is to have.
JournalEntry settingsChange(const CameraInfo& current, const CameraInfo& wanted, bool dhcp);

// The journal of one run of a command: an "attempt" line goes before each
// request and an "outcome" line once it is known, both with the run's ID,
// each flushed to disk as it is written. A journal that cannot be written
// brings one warning, not a failure of the command.
class Journal {
public:
    Journal(const JournalOptions& options, std::string command);
    const std::string& run() const { return run_; }
    void attempt(const JournalEntry& entry);
    void outcome(const JournalEntry& entry, const char* outcome);

private:
    void write(const std::string& line);

    JournalOptions options_;
    std::string command_;
    std::string run_;
    bool warned_ = false;
};

// The line for an entry at `when` (UTC), ending in a line feed: `event` is
// "attempt" or "outcome", and `outcome` is given with the latter alone.
std::string journalLine(const std::string& run, const std::string& command, const char* event,
                        const JournalEntry& entry, const char* outcome, std::time_t when);
// The journal's file: --journal's, else the default place; "" when none.
std::string journalPath(const JournalOptions& options);

}  // namespace lenscout
