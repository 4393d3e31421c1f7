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

// The options of every command that acts on cameras: the credentials, how
// long to search, JSON, progress, the journal and the language.
struct CameraCommandOptions {
    CredentialOptions credentials;
    uint32_t searchMs = kDefaultSearchMs;
    bool json = false;
    std::string progress = "text";
    int64_t language = kLanguageUnset;
    JournalOptions journal;
};
// ... and of those that change cameras' settings: how long to wait for
// each camera's answer.
struct SettingsCommandOptions : CameraCommandOptions {
    uint32_t waitMs = 10000;
};
// What each of them means for one command.
struct CameraCommandTexts {
    const char* whose;   // "the camera's"
    const char* search;  // --search
    const char* json;    // --json
};
void addCameraCommandOptions(CLI::App& command, CameraCommandOptions* o, const CameraCommandTexts& texts);
void addSettingsCommandOptions(CLI::App& command, SettingsCommandOptions* o, const CameraCommandTexts& texts,
                               const char* wait);

}  // namespace lenscout
