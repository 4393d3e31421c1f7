#include "site/upload_outcome.h"

#include <algorithm>
#include <vector>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "platform/gbk.h"
#include "site/camera_json.h"
#include "site/exit_status.h"
#include "site/outcome.h"
#include "ui/failure_texts.h"
#include "upload/sha256.h"

namespace lenscout {

// The digest of the bytes every camera gets; false when they cannot be read.
bool summariseImage(const std::string& path, const ImageFile& image, ImageSummary* summary) {
    Sha256 digest;
    std::vector<char> chunk(1 << 20);
    for (int64_t at = 0; at < image.size();) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(chunk.size()), image.size() - at));
        if (!image.readAt(at, chunk.data(), n)) return false;
        digest.update(chunk.data(), n);
        at += static_cast<int64_t>(n);
    }
    *summary = {path, image.size(), digest.hex()};
    return true;
}

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

const char* failureReason(const UploadProgress& p) { return p.reason ? p.reason : reasonCode(p.failure); }

// The worst outcome: an interrupted run, then a failure, a refused login,
// a camera not found.
int uploadStatus(const UploadProgress& p) {
    switch (p.state) {
    case UploadState::Interrupted: return kExitInterrupted;
    case UploadState::OtherSubnet:
    case UploadState::Held: return kExitFailed;
    case UploadState::NotFound: return kExitNotFound;
    case UploadState::Failed:
        if (p.camera.conflict) return kExitConflict;
        return p.failure == UploadFailure::LoginRefused ? kExitRefused : kExitFailed;
    default: return kExitOk;
    }
}

int uploadStatus(const std::vector<UploadProgress>& rows) {
    int status = kExitOk;
    for (const UploadProgress& p : rows) status = worseStatus(status, uploadStatus(p));
    return status;
}

// An upload's journal entry: the versions before, and the image.
JournalEntry uploadEntry(UpgradeKind kind, const UploadProgress& p, const ImageSummary& image) {
    const Json planned = {{"kind", kind == UpgradeKind::SystemFirmware ? "system" : "webui"},
                          {"image", image.path},
                          {"bytes", image.size},
                          {"sha256", image.sha256}};
    const Json old = {{"firmware", dottedQuad(p.camera.firmwareVersion)}, {"webui", dottedQuad(p.camera.webUiVersion)}};
    return {gbkToUtf8(fieldText(p.camera.deviceId)), p.camera.ip, old, planned};
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

std::string uploadJson(const std::vector<UploadProgress>& cameras, const std::vector<const CameraInfo*>& versions,
                       const ImageSummary& image) {
    Json all = Json::array();
    for (size_t i = 0; i < cameras.size(); ++i)
        all.push(uploadObject(cameras[i], i < versions.size() ? versions[i] : nullptr, image));
    return jsonText(all);
}

}  // namespace lenscout
