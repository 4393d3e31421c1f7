#include "cli/upload_report.h"

#include <algorithm>
#include <cstdio>

#include "app/string_table.h"
#include "cli/scan_format.h"
#include "cli/tool_language.h"
#include "discovery/camera_text.h"
#include "platform/gbk.h"

namespace lenscout {

namespace {

std::string seconds(const UploadProgress& p) {
    if (p.state != UploadState::Done && p.state != UploadState::Failed) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", (p.endedAt - p.startedAt) / 1000.0);
    return text;
}

std::string padded(const std::string& text, size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

const char* outcomeKey(UploadState s) {
    switch (s) {
    case UploadState::Done: return "uploaded";
    case UploadState::NotFound: return "not-found";
    default: return "failed";
    }
}

}  // namespace

std::string outcomeText(const UploadProgress& p) {
    if (p.state == UploadState::Done) return "uploaded";
    if (p.state == UploadState::NotFound) return "not found";
    return systemText(p.failureRow);
}

std::string uploadTable(const std::vector<UploadProgress>& cameras) {
    size_t idWidth = 10;
    for (const UploadProgress& p : cameras) idWidth = std::max(idWidth, p.id.size() + 2);
    std::string out = padded("CAMERA", idWidth) + padded("ADDRESS", 17) + padded("TIME", 10) + "OUTCOME\n";
    for (const UploadProgress& p : cameras) {
        const std::string address = p.state == UploadState::NotFound ? "-" : dottedQuad(p.camera.ip);
        out += padded(p.id, idWidth) + padded(address, 17) + padded(seconds(p), 10) + outcomeText(p) + "\n";
    }
    return out;
}

std::string uploadJson(const std::vector<UploadProgress>& cameras, const std::vector<const CameraInfo*>& versions) {
    std::string out = "[";
    for (size_t i = 0; i < cameras.size(); ++i) {
        const UploadProgress& p = cameras[i];
        if (i) out += ",";
        out += "{\"id\":" + jsonString(p.id) + ",\"outcome\":\"" + outcomeKey(p.state) + "\"";
        if (p.state != UploadState::NotFound) out += ",\"ip\":\"" + dottedQuad(p.camera.ip) + "\"";
        if (p.state == UploadState::Failed) out += ",\"message\":" + jsonString(gbkToUtf8(CurrentText(p.failureRow)));
        if (p.state == UploadState::Done || p.state == UploadState::Failed) {
            char ms[24];
            std::snprintf(ms, sizeof ms, "%u", p.endedAt - p.startedAt);
            out += ",\"bytes\":" + std::to_string(p.sent) + ",\"ms\":" + ms;
        }
        if (i < versions.size() && versions[i])
            out += ",\"firmware\":\"" + dottedQuad(versions[i]->firmwareVersion) + "\",\"webui\":\"" +
                   dottedQuad(versions[i]->webUiVersion) + "\"";
        out += "}";
    }
    return out + "]";
}

}  // namespace lenscout
