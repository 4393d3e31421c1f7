#pragma once
// The options that the commands acting on cameras share: one name, one
// default and one meaning in every command.
#include <cstdint>
#include <string>

#include "cli/command_line.h"
#include "cli/credentials.h"
#include "cli/tool_language.h"
#include "site/camera_search.h"
#include "site/journal.h"

namespace lenscout {

void addJournalOptions(CLI::App& command, JournalOptions* o);
// The journal's one warning when it cannot be written.
Journal::CannotWrite journalWarning();

// The options of the commands that change cameras' settings: the
// credentials, how long to search and to wait for the answers, JSON, the
// journal and the language.
struct SettingsCommandOptions {
    CredentialOptions credentials;
    uint32_t searchMs = kDefaultSearchMs;
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

}  // namespace lenscout
