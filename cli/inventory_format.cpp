#include "cli/inventory_format.h"

#include "cli/scan_format.h"
#include "discovery/camera_text.h"
#include "platform/gbk.h"
#include "platform/socket.h"

namespace lenscout {

const char* const kInventoryColumns[12] = {"id",      "name",        "ip",        "mask",
                                           "gateway", "dns",         "http_port", "firmware",
                                           "webui",   "same_subnet", "interface", "local_address"};

namespace {

// Every column's value as UTF-8 text, in the columns' order. An arrival
// the system could not tell leaves the last two empty.
std::vector<std::string> values(const CameraInfo& c, const InterfaceNames& names) {
    return {gbkToUtf8(fieldText(c.deviceId)),
            gbkToUtf8(fieldText(c.name)),
            dottedQuad(c.ip),
            dottedQuad(c.mask),
            dottedQuad(c.gateway),
            dottedQuad(c.dns),
            std::to_string(toHostPort(c.httpPort)),
            dottedQuad(c.firmwareVersion),
            dottedQuad(c.webUiVersion),
            c.sameSubnet ? "yes" : "no",
            c.arrivalIndex ? names(c.arrivalIndex) : "",
            c.arrivalLocal ? dottedQuad(c.arrivalLocal) : ""};
}

std::string csvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) line += (i ? "," : "") + csvField(fields[i]);
    return line + "\r\n";
}

}  // namespace

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string inventoryCsv(const std::vector<CameraInfo>& cameras, const InterfaceNames& names, bool forTerminal) {
    std::string out = csvLine(std::vector<std::string>(std::begin(kInventoryColumns), std::end(kInventoryColumns)));
    for (const CameraInfo& c : cameras) {
        std::vector<std::string> fields = values(c, names);
        if (forTerminal)
            for (std::string& f : fields) f = terminalSafe(f);
        out += csvLine(fields);
    }
    return out;
}

// The port is a number and same_subnet a boolean; the rest are strings.
std::string inventoryJson(const std::vector<CameraInfo>& cameras, const InterfaceNames& names) {
    std::string out = "[";
    for (size_t row = 0; row < cameras.size(); ++row) {
        const std::vector<std::string> v = values(cameras[row], names);
        out += row ? ",{" : "{";
        for (size_t i = 0; i < v.size(); ++i) {
            const std::string key = kInventoryColumns[i];
            std::string value = jsonString(v[i]);
            if (key == "http_port") value = v[i];
            if (key == "same_subnet") value = cameras[row].sameSubnet ? "true" : "false";
            out += (i ? ",\"" : "\"") + key + "\":" + value;
        }
        out += "}";
    }
    return out + "]";
}

}  // namespace lenscout
