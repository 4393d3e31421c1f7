#include "cli/subcommands.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/string_table.h"
#include "cli/cli_messages.h"
#include "cli/tool_language.h"
#include "platform/terminal.h"
#include "site/exit_status.h"
#include "site/inventory_format.h"

namespace lenscout {

namespace {

struct InventoryOptions {
    bool json = false;
    bool csv = false;
    uint32_t searchMs = kDefaultSearchMs;
    int64_t language = kLanguageUnset;
};

// What --help says of it.
const SubcommandText kInventoryText = {
    "inventory", "list every camera that answers, as CSV or JSON",
    "Searches for S seconds and prints each camera that answered once, in the order they first answered: its ID, "
    "name, address, mask, gateway, DNS server, HTTP port, both versions, whether it is in one of this computer's "
    "subnets, and the interface and local address it was heard on. The columns and their order do not change."};

void declareInventoryOptions(CLI::App& command, InventoryOptions* o) {
    CLI::Option* json = command.add_flag("--json", o->json, "print one JSON array");
    command.add_flag("--csv", o->csv, "print CSV with a header row (the default)")->excludes(json);
    addSearchOption(command, &o->searchMs, "seconds to listen for the cameras");
    addLanguageOption(command, &o->language);
}

int inventory(const InventoryOptions& o) {
    selectToolLanguage(o.language);
    std::vector<CameraInfo> cameras;
    CameraSearch search;
    int status = kExitOk;
    search.onNoInterface([] { noInterface("lenscout-cli"); });
    if (searchFailed(search.searchAll(o.searchMs, &cameras), "", &status)) return status;
    if (search.listFull()) diagnose(CurrentText(kTextTooManyDevices));
    if (cameras.empty()) return diagnose("no camera answered the search"), kExitNotFound;
    const std::string out = o.json ? inventoryJson(cameras, interfaceName) + "\n"
                                   : inventoryCsv(cameras, interfaceName, isTerminal(StdStream::Out));
    std::fputs(out.c_str(), stdout);
    return kExitOk;
}

}  // namespace

Subcommand addInventoryCommand(CLI::App& cli) {
    return addSubcommand<InventoryOptions>(cli, kInventoryText, declareInventoryOptions, inventory);
}

}  // namespace lenscout
