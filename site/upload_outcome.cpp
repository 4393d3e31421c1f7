#include "site/upload_outcome.h"

#include <algorithm>
#include <vector>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "discovery/discovery_worker.h"
#include "platform/text_codecs.h"
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

std::vector<UploadProgress> uploadRows(const std::vector<std::string>& shown, const std::vector<std::string>& ids,
                                       const std::vector<CameraInfo>& everyone) {
    std::vector<UploadProgress> rows;
    for (size_t i = 0; i < ids.size(); ++i) {
        UploadProgress p;
        p.id = shown[i];
        const CameraInfo* found = findCamera(everyone, ids[i]);
        if (found) p.camera = *found;
        if (!found) {
            p.state = UploadState::NotFound;
        } else if (p.camera.conflict) {
            p.state = UploadState::Failed;
            p.reason = "id-conflict";
            p.note = CurrentText(kTextIdConflict);
        } else if (!p.camera.sameSubnet) {
            p.state = UploadState::OtherSubnet;
        }
        rows.push_back(p);
    }
    return rows;
}

std::vector<const CameraInfo*> versionsAfter(CameraSearch& search, const std::vector<UploadProgress>& rows,
                                             uint32_t searchMs, std::map<std::string, CameraInfo>* found) {
    std::vector<std::string> updated;
    for (const UploadProgress& p : rows)
        if (p.state == UploadState::Done) updated.push_back(std::string(fieldText(p.camera.deviceId)));
    std::vector<const CameraInfo*> versions(rows.size(), nullptr);
    if (updated.empty()) return versions;
    search.drop();
    found->clear();
    postSearchNow(search.worker());
    search.findAll(updated, search.now() + searchMs, found);
    for (size_t i = 0; i < rows.size(); ++i) {
        auto it = found->find(std::string(fieldText(rows[i].camera.deviceId)));
        if (rows[i].state == UploadState::Done && it != found->end()) versions[i] = &it->second;
    }
    return versions;
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

namespace {

int statusOf(const UploadProgress& p) {
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

}  // namespace

CameraOutcome outcomeOf(const UploadProgress& p) {
    const bool failed = p.state == UploadState::Failed;
    const int row = !failed ? -1 : p.camera.conflict ? kTextIdConflict : textRow(p.failure);
    return {uploadOutcomeWord(p.state), statusOf(p), failed ? failureReason(p) : nullptr, row};
}

// The worst outcome: an interrupted run, then a failure, a refused login,
// a camera not found.
int uploadStatus(const std::vector<UploadProgress>& rows) {
    int status = kExitOk;
    for (const UploadProgress& p : rows) status = worseStatus(status, outcomeOf(p).status);
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

void journalUploads(WavePlan& plan, Journal& journal, const ImageSummary& image) {
    const UpgradeKind kind = plan.kind;
    plan.beforeEach = [&journal, &image, kind](const UploadProgress& p) {
        journal.attempt(uploadEntry(kind, p, image));
    };
    plan.ended = [&journal, &image, kind](const UploadProgress& p) {
        journal.outcome(uploadEntry(kind, p, image), p.state == UploadState::Done ? "uploaded" : failureReason(p));
    };
}

namespace {

// One camera's upload: the outcome, why it failed, the bytes and time, the
// image, and the versions it answered with afterwards.
Json uploadObject(const UploadProgress& p, const CameraInfo* after, const ImageSummary& image) {
    Json o = {{"id", p.id}, {"outcome", uploadOutcomeWord(p.state)}};
    if (p.state != UploadState::NotFound) o.set("ip", dottedQuad(p.camera.ip));
    if (p.state == UploadState::Failed) {
        o.set("reason", failureReason(p));
        o.set("message", p.note.empty() ? CurrentText(textRow(p.failure)) : p.note);
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
