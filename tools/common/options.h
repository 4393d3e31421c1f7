#pragma once
// Small parsers for the tools' command lines.
#include <cstdint>
#include <string>
#include <vector>

namespace lenscout {

// Walks "--name value", "--name=value" and "--flag" arguments.
class ArgWalker {
public:
    ArgWalker(int argc, char** argv) : args_(argv + 1, argv + argc) {}
    // The next option name without its dashes; false at the end.
    bool next(std::string* name);
    // The value of the option just taken; false when there is none.
    bool value(std::string* out);
    const std::string& current() const { return current_; }
    // Whether the argument just taken is an operand rather than an option.
    bool operand() const { return !dashed_; }

private:
    std::vector<std::string> args_;
    size_t at_ = 0;
    std::string current_;
    std::string inlineValue_;
    bool hasInline_ = false;
    bool dashed_ = false;
};

bool parseUnsigned(const std::string& text, uint64_t max, uint64_t* out, int base = 10);
bool parseSigned(const std::string& text, int64_t min, int64_t max, int64_t* out);
// "a.b.c.d" into a 32-bit value whose stored bytes are a, b, c, d: the form
// of addresses in network byte order and of the cameras' version numbers.
bool parseDotted(const std::string& text, uint32_t* out);
// "min-max" or "n".
bool parseRange(const std::string& text, uint64_t max, uint64_t* low, uint64_t* high);
bool parseHex(const std::string& text, std::string* bytes);

}  // namespace lenscout
