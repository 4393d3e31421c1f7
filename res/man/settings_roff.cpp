// Writes a manual page from standard input to standard output with the
// settings' options in place of its two marker lines, so that the page
// documents each option as the settings declare it: the synopsis marker
// becomes "[--period S]" and the like, the options marker a sentence each.
#include <iostream>
#include <string>

#include "app/user_settings.h"

namespace {

constexpr char kSynopsisMarker[] = ".\\\" the settings' options: synopsis";
constexpr char kOptionsMarker[] = ".\\\" the settings' options: described";

std::string roffOption(const char* option) {
    std::string out;
    for (const char* c = option; *c; ++c) out += *c == '-' ? std::string("\\-") : std::string(1, *c);
    return out;
}

void writeSynopsis(std::ostream& out) {
    for (const lenscout::Setting* s : lenscout::optionSettings())
        out << ".RB [ " << roffOption(s->option) << "\n.IR " << s->optionValue << " ]\n";
}

void writeOptions(std::ostream& out) {
    for (const lenscout::Setting* s : lenscout::optionSettings())
        out << ".B " << roffOption(s->option) << "\n.IR " << s->optionValue << " :\n"
            << s->optionHelp << ", " << lenscout::choicesText(*s) << "; by default the desktop programs' setting ("
            << s->fallback << " until it is changed).\n";
}

}  // namespace

int main() {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line == kSynopsisMarker) writeSynopsis(std::cout);
        else if (line == kOptionsMarker)
            writeOptions(std::cout);
        else
            std::cout << line << '\n';
    }
    return std::cout ? 0 : 1;
}
