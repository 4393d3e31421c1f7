#include "cli/upload_report.h"

#include <algorithm>
#include <cstdio>

#include "app/string_table.h"
#include "cli/tool_language.h"
#include "discovery/camera_text.h"
#include "platform/gbk.h"
#include "site/camera_json.h"
#include "site/output_text.h"
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

}  // namespace

const char* uploadOutcomeWord(UploadState s) {
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

namespace {

// One camera's upload: the outcome, why it failed, the bytes and time, the
// image, and the versions it answered with afterwards.
Json uploadObject(const UploadProgress& p, const CameraInfo* after, const ImageSummary& image) {
    Json o = {{"id", p.id}, {"outcome", uploadOutcomeWord(p.state)}};
    if (p.state != UploadState::NotFound) o.set("ip", dottedQuad(p.camera.ip));
    if (p.state == UploadState::Failed) {
        o.set("reason", failureReason(p));
        o.set("message", p.note.empty() ? gbkToUtf8(CurrentText(textRow(p.failure))) : p.note);
    }
    if (p.state == UploadState::Done || p.state == UploadState::Failed) {
        o.set("bytes", static_cast<long long>(p.sent));
        o.set("ms", p.endedAt - p.startedAt);
    }
    o.set("image", {{"bytes", static_cast<long long>(image.size)}, {"sha256", image.sha256}});
    if (after) {
        o.set("firmware", dottedQuad(after->firmwareVersion));
        o.set("webui", dottedQuad(after->webUiVersion));
    }
    return o;
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
    Json all = Json::array();
    for (size_t i = 0; i < cameras.size(); ++i)
        all.push(uploadObject(cameras[i], i < versions.size() ? versions[i] : nullptr, image));
    return jsonText(all);
}

}  // namespace lenscout
