#include "cli/command_line.h"

#include <cstdio>

#include "app/languages.h"
#include "app/user_settings.h"
#include "site/exit_status.h"

namespace lenscout {

constexpr uint32_t kMaxSeconds = 86400;

int parseCommandLine(CLI::App& app, int argc, char** argv) {
    try {
        app.parse(argc, argv);
        return -1;
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) return app.exit(e);
        std::string command = app.get_name();
        for (const CLI::App* sub : app.get_subcommands()) command += " " + sub->get_name();
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for more.\n", command.c_str(), e.what(), command.c_str());
        return kExitUsage;
    }
}

int finishOutput(const char* program, int status) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
    std::fprintf(stderr, "%s: the results could not be written to standard output\n", program);
    return status == kExitOk ? kExitFailed : status;
}

std::string exitStatusFooter() {
    std::string text = "Exit status:";
#define LENSCOUT_EXIT_LINE(name, status, meaning) text += "\n  " #status "  " meaning;
    LENSCOUT_EXIT_STATUSES(LENSCOUT_EXIT_LINE)
#undef LENSCOUT_EXIT_LINE
    return text;
}

CLI::Validator nonEmpty() {
    return CLI::Validator([](std::string& value) { return value.empty() ? std::string("must not be empty") : ""; }, "",
                          "non-empty");
}

void addLanguageOption(CLI::App& command, int64_t* language) {
    command
        .add_option("--lang", *language,
                    "messages in language N: " + languageChoicesText() + " (by default the desktop program's choice)")
        ->option_text("N")
        ->check(CLI::Range(int64_t{0}, int64_t{kLanguageCount}));
}

CLI::Option* addSecondsOption(CLI::App& command, const std::string& name, uint32_t* ms, const std::string& what) {
    const std::string shown = std::to_string(*ms / 1000);
    return command
        .add_option_function<uint32_t>(
            name, [ms](const uint32_t& seconds) { *ms = seconds * 1000; }, what + " (" + shown + ")")
        ->option_text("S")
        ->check(CLI::Range(uint32_t{0}, kMaxSeconds));
}

CLI::Option* addSearchOption(CLI::App& command, uint32_t* ms, const std::string& what) {
    CLI::Option* search = addSecondsOption(command, "--search", ms, what);
    // The older spelling of some commands still works, unlisted.
    command
        .add_option_function<uint32_t>(
            "--seconds", [ms](const uint32_t& seconds) { *ms = seconds * 1000; }, "")
        ->check(CLI::Range(uint32_t{0}, kMaxSeconds))
        ->excludes(search)
        ->group("");
    return search;
}

void addIdsOption(CLI::App& command, std::vector<std::string>* ids, const std::string& what) {
    const auto append = [ids](const std::vector<std::string>& given) {
        ids->insert(ids->end(), given.begin(), given.end());
    };
    command.add_option_function<std::vector<std::string>>("--id", append, what)
        ->option_text("ID")
        ->allow_extra_args(false)
        ->check(nonEmpty());
    command.add_option_function<std::vector<std::string>>("--only", append, "")
        ->allow_extra_args(false)
        ->check(nonEmpty())
        ->group("");
}

void addSettingOptions(CLI::App& command, SettingValues* values) {
    *values = SettingValues::read();
    for (const Setting* s : optionSettings())
        command
            .add_option_function<int>(
                s->option, [values, s](const int& v) { values->set(*s, v); }, optionHelp(*s, values->of(*s)))
            ->option_text(s->optionValue)
            ->check(CLI::IsMember(s->values()));
}

void addCredentialOptions(CLI::App& command, CredentialOptions* credentials, const std::string& whose) {
    command.add_option("--user", credentials->user, whose + " user (" + credentials->user + ")")->option_text("U");
    command
        .add_option("--password-file", credentials->passwordFile,
                    "read the password from F's first line (- for standard input); else LENSCOUT_PASSWORD, "
                    "else a prompt without echo. It is never an argument.")
        ->option_text("F");
}

}  // namespace lenscout
