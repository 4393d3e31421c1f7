#include "cli/upload_report.h"

#include <algorithm>
#include <cstdio>

#include "app/string_table.h"
#include "cli/scan_format.h"
#include "cli/tool_language.h"
#include "discovery/camera_text.h"
#include "platform/gbk.h"
#include "ui/failure_texts.h"

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
    case UploadState::Interrupted: return "interrupted";
    case UploadState::OtherSubnet: return "other-subnet";
    case UploadState::Skipped: return "skipped";
    case UploadState::Held: return "held";
    default: return "failed";
    }
}

std::string imageJson(const ImageSummary& image) {
    return "{\"bytes\":" + std::to_string(image.size) + ",\"sha256\":\"" + image.sha256 + "\"}";
}

}  // namespace

std::string outcomeText(const UploadProgress& p) {
    if (p.state == UploadState::Done) return "uploaded";
    if (p.state == UploadState::NotFound) return "not found";
    if (p.state == UploadState::Interrupted) return "interrupted";
    if (p.state == UploadState::OtherSubnet) return "in another subnet, not tried";
    if (p.state == UploadState::Held) return "held back: too many failures before its wave";
    if (!p.note.empty()) return p.note;
    return systemText(textRow(p.failure));
}

const char* failureReason(const UploadProgress& p) { return p.reason ? p.reason : reasonCode(p.failure); }

std::string imageLine(const ImageSummary& image) {
    return "image " + terminalSafe(image.path) + ": " + std::to_string(image.size) + " bytes, SHA-256 " + image.sha256 +
           "\n";
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

std::string uploadJson(const std::vector<UploadProgress>& cameras, const std::vector<const CameraInfo*>& versions,
                       const ImageSummary& image) {
    std::string out = "[";
    for (size_t i = 0; i < cameras.size(); ++i) {
        const UploadProgress& p = cameras[i];
        if (i) out += ",";
        out += "{\"id\":" + jsonString(p.id) + ",\"outcome\":\"" + outcomeKey(p.state) + "\"";
        if (p.state != UploadState::NotFound) out += ",\"ip\":\"" + dottedQuad(p.camera.ip) + "\"";
        if (p.state == UploadState::Failed)
            out += ",\"reason\":\"" + std::string(failureReason(p)) +
                   "\",\"message\":" + jsonString(p.note.empty() ? gbkToUtf8(CurrentText(textRow(p.failure))) : p.note);
        if (p.state == UploadState::Done || p.state == UploadState::Failed) {
            char ms[24];
            std::snprintf(ms, sizeof ms, "%u", p.endedAt - p.startedAt);
            out += ",\"bytes\":" + std::to_string(p.sent) + ",\"ms\":" + ms;
        }
        out += ",\"image\":" + imageJson(image);
        if (i < versions.size() && versions[i])
            out += ",\"firmware\":\"" + dottedQuad(versions[i]->firmwareVersion) + "\",\"webui\":\"" +
                   dottedQuad(versions[i]->webUiVersion) + "\"";
        out += "}";
    }
    return out + "]";
}

}  // namespace lenscout
