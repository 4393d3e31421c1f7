#include "site/upload_waves.h"

#include <algorithm>

#include "discovery/camera_text.h"

namespace lenscout {

namespace {

uint32_t versionOf(const CameraInfo& c, UpgradeKind kind) {
    return kind == UpgradeKind::SystemFirmware ? c.firmwareVersion : c.webUiVersion;
}

void fail(UploadProgress& p, const char* reason, const std::string& note) {
    p.state = UploadState::Failed;
    p.reason = reason;
    p.note = note;
}

// A camera already at the version asked for gets no upload.
void skipThoseThere(std::vector<UploadProgress>& rows, const WavePlan& plan) {
    if (!plan.expectedVersion) return;
    for (UploadProgress& p : rows)
        if (p.state == UploadState::Waiting && versionOf(p.camera, plan.kind) == plan.expectedVersion) {
            p.state = UploadState::Skipped;
            p.note = "already at " + dottedQuad(plan.expectedVersion);
        }
}

// Each uploaded camera must answer a search again with a new version of
// the kind it took, and with the expected one when that was given.
void confirmVersions(std::vector<UploadProgress>& wave, const WavePlan& plan, CameraLink& link,
                     const std::function<bool()>& stopped) {
    std::vector<size_t> pending;
    for (size_t i = 0; i < wave.size(); ++i)
        if (wave[i].state == UploadState::Done) pending.push_back(i);
    std::vector<bool> sawOld(wave.size(), false);
    const uint32_t until = link.now() + plan.rebootWaitMs;
    SearchEvent event;
    const auto ended = [&](const UploadProgress& p) {
        if (plan.ended) plan.ended(p);
    };
    // In slices, so that a Ctrl-C is seen while the cameras reboot.
    for (uint32_t left; !pending.empty() && !stopped() && static_cast<int32_t>(left = until - link.now()) > 0;) {
        if (!link.next(link.now() + std::min<uint32_t>(left, 500), &event) || !event.camera) continue;
        for (auto it = pending.begin(); it != pending.end(); ++it) {
            UploadProgress& p = wave[*it];
            if (!sameText(p.camera.deviceId, event.camera->deviceId)) continue;
            const uint32_t version = versionOf(*event.camera, plan.kind);
            if (version == versionOf(p.camera, plan.kind)) {
                sawOld[*it] = true;
                break;
            }
            if (plan.expectedVersion && version != plan.expectedVersion)
                fail(p, "unexpected-version",
                     "came back at " + dottedQuad(version) + ", not " + dottedQuad(plan.expectedVersion));
            ended(p);
            pending.erase(it);
            break;
        }
    }
    for (size_t i : pending) {
        if (stopped()) fail(wave[i], "interrupted", "uploaded, but interrupted before it answered again");
        else if (sawOld[i])
            fail(wave[i], "old-version",
                 "came back at the old version " + dottedQuad(versionOf(wave[i].camera, plan.kind)));
        else
            fail(wave[i], "no-answer-after-reboot", "did not answer again after the upload");
        ended(wave[i]);
    }
}

void markRest(std::vector<UploadProgress>& rows, UploadState state) {
    for (UploadProgress& p : rows)
        if (p.state == UploadState::Waiting) p.state = state;
}

}  // namespace

void runWaves(std::vector<UploadProgress>& rows, const WavePlan& plan, const ImageFile& image,
              const Credentials& credentials, CameraLink& link, uint32_t periodMs, const RowsWatch& watch,
              const std::function<bool()>& stopped) {
    skipThoseThere(rows, plan);
    std::vector<size_t> waiting;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].state == UploadState::Waiting) waiting.push_back(i);
    const size_t size = plan.wave ? plan.wave : std::max<size_t>(waiting.size(), 1);
    uint64_t failures = 0;
    for (size_t first = 0; first < waiting.size(); first += size) {
        if (failures > plan.maxFailures) return markRest(rows, UploadState::Held);
        if (stopped()) return markRest(rows, UploadState::Interrupted);
        const std::vector<size_t> members(
            waiting.begin() + static_cast<std::ptrdiff_t>(first),
            waiting.begin() + static_cast<std::ptrdiff_t>(std::min(first + size, waiting.size())));
        std::vector<UploadProgress> wave;
        for (size_t i : members) wave.push_back(rows[i]);
        UploadJobs jobs(wave, plan.kind, image, credentials);
        jobs.beforeEach(plan.beforeEach);
        // Confirmed uploads end once their camera is back.
        jobs.afterEach([&plan](const UploadProgress& p) {
            if (plan.ended && (!plan.confirm || p.state == UploadState::Failed)) plan.ended(p);
        });
        auto merged = [&](const std::vector<UploadProgress>& now) {
            std::vector<UploadProgress> all = rows;
            for (size_t k = 0; k < members.size(); ++k) all[members[k]] = now[k];
            watch(all);
        };
        jobs.run(plan.wave ? plan.wave : plan.jobs, periodMs, merged, stopped);
        wave = jobs.snapshot();
        if (plan.confirm) confirmVersions(wave, plan, link, stopped);
        for (size_t k = 0; k < members.size(); ++k) {
            rows[members[k]] = wave[k];
            if (wave[k].state == UploadState::Failed) ++failures;
        }
    }
}

}  // namespace lenscout
