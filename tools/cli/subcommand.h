#pragma once
// What every subcommand does before its work: parse its options, answer
// --help and a wrong command line, choose the language of its messages.
#include <cstdio>

#include "tools/cli/exit_status.h"
#include "tools/cli/tool_language.h"

namespace lenscout {

template <class Options, class Parse, class Run>
int runSubcommand(int argc, char** argv, const char* usage, Parse parse, Run run) {
    Options options;
    if (!parse(argc, argv, &options) || options.help) {
        std::fputs(usage, options.help ? stdout : stderr);
        return options.help ? kExitOk : kExitUsage;
    }
    selectToolLanguage(options.language);
    return run(options);
}

}  // namespace lenscout
