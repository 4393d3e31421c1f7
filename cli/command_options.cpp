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

void addSettingsCommandOptions(CLI::App& command, SettingsCommandOptions* o, const SettingsCommandTexts& texts) {
    addCredentialOptions(command, &o->credentials, texts.whose);
    addSearchOption(command, &o->searchMs, texts.search);
    addSecondsOption(command, "--wait", &o->waitMs, texts.wait);
    command.add_flag("--json", o->json, texts.json);
    addJournalOptions(command, &o->journal);
    addLanguageOption(command, &o->language);
}

}  // namespace lenscout
