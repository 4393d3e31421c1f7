// A provisioning plan, whatever a spreadsheet or a user wrote in it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "site/plan_csv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<lenscout::PlanRow> rows;
    std::vector<std::string> errors;
    const bool ok = lenscout::readPlan(text, &rows, &errors);
    if (ok != errors.empty()) __builtin_trap();
    // Rows come after the header, in the order of the file.
    int previous = 1;
    for (const lenscout::PlanRow& r : rows) {
        if (r.line <= previous) __builtin_trap();
        previous = r.line;
    }
    return 0;
}
