#pragma once
// The tools' command lines, declared with CLI11, and checks of their values.
#include <CLI/CLI.hpp>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lenscout {

// An option taken by `take` the moment it is read, so that options act in
// the order they are given (as --count after --base-ip); a false from
// `take` refuses the line with the option's name and value.
CLI::Option* addTakenOption(CLI::App& app, const std::string& name, std::function<bool(const std::string&)> take,
                            const std::string& help);

// Parses the line: -1 when the tool is to run, else its exit status (0
// after --help, 2 after a wrong line, whose reason goes to standard error).
int parseToolLine(CLI::App& app, int argc, char** argv);

bool parseUnsigned(const std::string& text, uint64_t max, uint64_t* out, int base = 10);
bool parseSigned(const std::string& text, int64_t min, int64_t max, int64_t* out);
// "a.b.c.d" into a 32-bit value whose stored bytes are a, b, c, d: the form
// of addresses in network byte order and of the cameras' version numbers.
bool parseDotted(const std::string& text, uint32_t* out);
// "min-max" or "n".
bool parseRange(const std::string& text, uint64_t max, uint64_t* low, uint64_t* high);
bool parseHex(const std::string& text, std::string* bytes);

}  // namespace lenscout
