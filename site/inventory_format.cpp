#include "site/inventory_format.h"

#include "discovery/camera_text.h"
#include "platform/socket.h"
#include "site/camera_json.h"
#include "site/output_text.h"
#include "ui/camera_fields.h"

namespace lenscout {

namespace {

// A field's value as UTF-8 text: yes/no for a boolean.
std::string csvValue(const CameraField& f, const CameraInfo& c, const InterfaceNames& names) {
    const std::string text = f.text(c, names);
    if (f.kind == FieldKind::Boolean) return text == "1" ? "yes" : "no";
    return text;
}

std::string csvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + csvField(fields[i]);
    return line + "\r\n";
}

}  // namespace

std::string inventoryCsv(const std::vector<CameraInfo>& cameras, const InterfaceNames& names, bool forTerminal) {
    const std::vector<const CameraField*>& columns = fieldsFor(kInInventory);
    std::vector<std::string> header;
    for (const CameraField* f : columns) header.push_back(f->key);
    std::string out = csvLine(header);
    for (const CameraInfo& c : cameras) {
        std::vector<std::string> values;
        for (const CameraField* f : columns)
            values.push_back(forTerminal ? terminalSafe(csvValue(*f, c, names)) : csvValue(*f, c, names));
        out += csvLine(values);
    }
    return out;
}

std::string inventoryJson(const std::vector<CameraInfo>& cameras, const InterfaceNames& names) {
    Json all = Json::array();
    for (const CameraInfo& c : cameras) all.push(cameraObject(c, fieldsFor(kInInventory), names));
    return jsonText(all);
}

}  // namespace lenscout
