// Any sequence of replies, ticks and clicks on the camera list, checked
// against a model written here: one line per listed camera in the order
// first found, a camera gone at the first tick without a reply since the
// one before, at most the list's capacity, and the selection on its camera.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "ui/camera_line.h"
#include "ui/camera_list.h"
#include "ui/memory_list_lines.h"

namespace {

constexpr size_t kCapacity = 6;

struct Model {
    std::vector<std::string> ids;  // listed, in order
    std::vector<bool> answered;    // since the last tick
};

std::unique_ptr<lenscout::CameraInfo> reply(const std::string& id, uint8_t variant) {
    auto c = std::make_unique<lenscout::CameraInfo>();
    lenscout::setFieldText(c->deviceId, id);
    lenscout::setFieldText(c->name, variant & 1 ? "Gate" : "");
    c->ip = 0x0a4da8c0u + variant;
    c->httpPort = static_cast<uint16_t>(80 + (variant & 2));
    c->webUiVersion = variant & 4 ? 1 : 0;
    c->sameSubnet = variant & 8 ? 0 : 1;
    c->conflict = variant & 16 ? 1 : 0;
    c->seen = 1;
    return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lenscout;
    SelectLanguage(kEnglish);
    MemoryListLines lines;
    CameraList list(lines, kCapacity);
    Model model;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const uint8_t op = data[i] & 3, arg = data[i + 1];
        if (op == 0 || op == 1) {  // a reply
            const std::string id = "C" + std::to_string(arg % 10);
            size_t at = 0;
            while (at < model.ids.size() && model.ids[at] != id) ++at;
            const bool listed = list.OnCameraFound(reply(id, static_cast<uint8_t>(arg / 10)));
            if (at < model.ids.size()) {
                model.answered[at] = true;
                if (!listed) __builtin_trap();
            } else if (model.ids.size() < kCapacity) {
                model.ids.push_back(id);
                model.answered.push_back(true);
                if (!listed) __builtin_trap();
            } else if (listed) {
                __builtin_trap();
            }
        } else if (op == 2) {  // a tick
            const int selected = lines.selectedIndex();
            const std::string selectedId = selected >= 0 ? model.ids[static_cast<size_t>(selected)] : "";
            list.OnScanTick();
            Model kept;
            for (size_t k = 0; k < model.ids.size(); ++k)
                if (model.answered[k]) kept.ids.push_back(model.ids[k]), kept.answered.push_back(false);
            model = kept;
            int expected = -1;
            for (size_t k = 0; k < model.ids.size(); ++k)
                if (model.ids[k] == selectedId) expected = static_cast<int>(k);
            if (lines.selectedIndex() != expected) __builtin_trap();
            for (size_t k = 0; k < model.ids.size(); ++k)
                if (lines.lines()[k] != FormatCameraLine(list.cameras()[k])) __builtin_trap();
        } else {  // a click on a line, or beside the lines
            lines.select(static_cast<int>(arg % 8) - 1);
        }
        if (lines.count() != static_cast<int>(model.ids.size()) || list.cameras().size() != model.ids.size())
            __builtin_trap();
        for (size_t k = 0; k < model.ids.size(); ++k)
            if (fieldText(list.cameras()[k].deviceId) != model.ids[k]) __builtin_trap();
    }
    return 0;
}
