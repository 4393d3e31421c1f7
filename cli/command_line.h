#pragma once
// The command lines of lenscout-cli and lenscout-scan, declared with CLI11:
// each command declares its options once, and its --help comes from them.
#include <CLI/CLI.hpp>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/user_settings.h"
#include "cli/credentials.h"

namespace lenscout {

// A command of lenscout-cli: its options live on `command`, and `run` does
// its work once the whole line has been parsed into them.
struct Subcommand {
    CLI::App* command = nullptr;
    std::function<int()> run;
};

// Parses the line into the options declared on `app`. Returns -1 when the
// command is to run, else its exit status: 0 after --help or --version,
// kExitUsage after a wrong line, whose reason goes to standard error.
int parseCommandLine(CLI::App& app, int argc, char** argv);

// Flushes standard output and turns a write that failed (a full disk, a
// closed pipe) into a failure of the command: `status`, or 1 after success.
int finishOutput(const char* program, int status);

// The end of every --help: the exit statuses.
std::string exitStatusFooter();

// What --help says of a command: its name, a line for the list of
// commands, and what goes before the exit statuses at the end of its own
// help (or nothing).
struct SubcommandText {
    const char* name;
    const char* summary;
    std::string about;
};

// Declares the command on `cli`: `declare` binds its options, `run` takes
// them once parsed.
template <class Options, class Declare, class Run>
Subcommand addSubcommand(CLI::App& cli, const SubcommandText& text, Declare declare, Run run) {
    auto options = std::make_shared<Options>();
    CLI::App* command = cli.add_subcommand(text.name, text.summary);
    command->footer(text.about.empty() ? exitStatusFooter() : text.about + "\n\n" + exitStatusFooter());
    declare(*command, options.get());
    return {command, [options, run] { return run(*options); }};
}

// Refuses an empty value, such as an empty device ID.
CLI::Validator nonEmpty();

// Options that several commands share.
void addLanguageOption(CLI::App& command, int64_t* language);
// Whole seconds, at most a day, kept as milliseconds of the tick clock.
CLI::Option* addSecondsOption(CLI::App& command, const std::string& name, uint32_t* ms, const std::string& what);
// --search S, how long the opening search lasts, in every command (the
// older --seconds of scan and doctor stays as an unlisted alias).
CLI::Option* addSearchOption(CLI::App& command, uint32_t* ms, const std::string& what);
// --id ID, repeatable, in every command that picks cameras (--only stays as
// an unlisted alias).
void addIdsOption(CLI::App& command, std::vector<std::string>* ids, const std::string& what);
// An option for each setting that has one (--period S), from its
// declaration; the settings file gives the defaults.
void addSettingOptions(CLI::App& command, SettingValues* values);
void addCredentialOptions(CLI::App& command, CredentialOptions* credentials, const std::string& whose);

}  // namespace lenscout
