#include "cli/scan_format.h"

#include <cstdio>

#include "discovery/camera_text.h"
#include "platform/gbk.h"
#include "platform/socket.h"

namespace lenscout {

namespace {

struct Field {
    const char* key;
    std::string value;
    bool quoted;
};

std::string render(const Field* fields, size_t count, bool json) {
    std::string out = json ? "{" : "";
    for (size_t i = 0; i < count; ++i) {
        const Field& f = fields[i];
        if (i) out += json ? "," : " ";
        if (json) out += jsonString(f.key) + ":" + (f.quoted ? jsonString(f.value) : f.value);
        else
            out += std::string(f.key) + "=" + (f.quoted ? jsonString(f.value) : f.value);
    }
    return json ? out + "}" : out;
}

}  // namespace

std::string jsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string networkSettingsJson(const CameraInfo& c, bool dhcp) {
    return std::string("{\"dhcp\":") + (dhcp ? "true" : "false") + ",\"ip\":\"" + dottedQuad(c.ip) + "\",\"mask\":\"" +
           dottedQuad(c.mask) + "\",\"gateway\":\"" + dottedQuad(c.gateway) + "\",\"dns\":\"" + dottedQuad(c.dns) +
           "\",\"http_port\":" + std::to_string(toHostPort(c.httpPort)) + "}";
}

std::string foundCameraLine(const CameraInfo& c, bool json) {
    const Field fields[] = {
        {"event", "camera", json},
        {"id", gbkToUtf8(fieldText(c.deviceId)), true},
        {"name", gbkToUtf8(fieldText(c.name)), true},
        {"ip", dottedQuad(c.ip), json},
        {"mask", dottedQuad(c.mask), json},
        {"gateway", dottedQuad(c.gateway), json},
        {"dns", dottedQuad(c.dns), json},
        {"port", std::to_string(toHostPort(c.httpPort)), false},
        {"firmware", dottedQuad(c.firmwareVersion), json},
        {"webui", dottedQuad(c.webUiVersion), json},
        {"same_subnet", std::to_string(c.sameSubnet), false},
    };
    return render(fields, sizeof fields / sizeof fields[0], json);
}

std::string errorLine(int32_t code, bool json) {
    const Field fields[] = {{"event", "error", json}, {"code", std::to_string(code), false}};
    return render(fields, 2, json);
}

std::string terminalSafe(const std::string& text) {
    std::string safe;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b != 0x7f) {
            safe += c;
            continue;
        }
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02x", b);
        safe += escape;
    }
    return safe;
}

std::string tickLine(uint32_t atMs, bool json) {
    const Field fields[] = {{"event", "tick", json}, {"at_ms", std::to_string(atMs), false}};
    return render(fields, 2, json);
}

}  // namespace lenscout
