#include "cli/command_options.h"

#include "cli/cli_messages.h"
#include "site/output_text.h"

namespace lenscout {

void addJournalOptions(CLI::App& command, JournalOptions* o) {
    CLI::Option* off = command.add_flag("--no-journal", o->off, "keep no record of the change");
    command.add_option("--journal", o->path, "the journal to append the change to (the user's state folder)")
        ->option_text("F")
        ->excludes(off);
}

Journal::CannotWrite journalWarning() {
    return [](const std::string& path, AppendResult result) {
        const std::string why =
            result == AppendResult::NotOurs ? " is a link, not a file, or not yours" : " cannot be written";
        diagnose("warning: the journal " + (path.empty() ? std::string("(no state folder)") : terminalSafe(path)) +
                 why + "; the changes are not recorded");
    };
}

void addCameraCommandOptions(CLI::App& command, CameraCommandOptions* o, const CameraCommandTexts& texts) {
    addCredentialOptions(command, &o->credentials, texts.whose);
    addSearchOption(command, &o->searchMs, texts.search);
    command.add_flag("--json", o->json, texts.json);
    command
        .add_option("--progress", o->progress,
                    "how to show progress and diagnostics on standard error: text or json (one event a line)")
        ->option_text("FORM")
        ->check(CLI::IsMember({"text", "json"}));
    addJournalOptions(command, &o->journal);
    addLanguageOption(command, &o->language);
}

void addSettingsCommandOptions(CLI::App& command, SettingsCommandOptions* o, const CameraCommandTexts& texts,
                               const char* wait) {
    addCameraCommandOptions(command, o, texts);
    addSecondsOption(command, "--wait", &o->waitMs, wait);
}

}  // namespace lenscout
