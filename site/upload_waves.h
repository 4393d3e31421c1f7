#pragma once
// Uploads to a fleet in waves: a given number of cameras at a time, the
// next wave only while the failures stay within a bound, and, when asked,
// each camera counted only once it answers again, after its reboot, with a
// new version.
#include <cstdint>
#include <functional>
#include <vector>

#include "site/camera_link.h"
#include "site/upload_jobs.h"
#include "upload/image_file.h"

namespace lenscout {

struct WavePlan {
    UpgradeKind kind = UpgradeKind::SystemFirmware;
    unsigned wave = 0;  // cameras per wave; 0: one wave of all
    unsigned jobs = 1;  // at once, when there are no waves
    uint64_t maxFailures = 0;
    bool confirm = false;
    uint32_t rebootWaitMs = 300000;
    uint32_t expectedVersion = 0;                           // 0: any; a camera already there is skipped
    std::function<void(const UploadProgress&)> beforeEach;  // as UploadJobs::beforeEach
    // As soon as a camera's upload has its outcome: Done (after the new
    // version was seen, when confirming) or Failed. Where the journal notes it.
    std::function<void(const UploadProgress&)> ended;
};

using RowsWatch = std::function<void(const std::vector<UploadProgress>&)>;

// Runs the rows still waiting; `stopped` as for UploadJobs::run.
void runWaves(std::vector<UploadProgress>& rows, const WavePlan& plan, const ImageFile& image,
              const Credentials& credentials, CameraLink& link, uint32_t periodMs, const RowsWatch& watch,
              const std::function<bool()>& stopped);

}  // namespace lenscout
