#pragma once
// The tools' command lines, declared with CLI11.
#include <CLI/CLI.hpp>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/common/value_parse.h"

namespace lenscout {

// An option taken by `take` the moment it is read, so that options act in
// the order they are given (as --count after --base-ip); a false from
// `take` refuses the line with the option's name and value.
CLI::Option* addTakenOption(CLI::App& app, const std::string& name, std::function<bool(const std::string&)> take,
                            const std::string& help);

// Parses the line: -1 when the tool is to run, else its exit status (0
// after --help, 2 after a wrong line, whose reason goes to standard error).
int parseToolLine(CLI::App& app, int argc, char** argv);

}  // namespace lenscout
