#include "tools/common/options.h"

namespace lenscout {

CLI::Option* addTakenOption(CLI::App& app, const std::string& name, std::function<bool(const std::string&)> take,
                            const std::string& help) {
    return app
        .add_option_function<std::string>(
            name,
            [name, take](const std::string& value) {
                if (!take(value)) throw CLI::ValidationError(name, "bad value: " + value);
            },
            help)
        ->trigger_on_parse();
}

int parseToolLine(CLI::App& app, int argc, char** argv) {
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }
    return -1;
}

}  // namespace lenscout
