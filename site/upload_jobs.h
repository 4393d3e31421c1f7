#pragma once
// Uploads of one image to many cameras, each with the dialog's session, a
// given number at a time, with a view of each one's progress.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "discovery/camera_request.h"
#include "upload/image_file.h"
#include "upload/upgrade_messages.h"

namespace lenscout {

// OtherSubnet: not tried, as a connection could not reach it. Interrupted:
// the run was asked to stop before this camera's turn came. Skipped: already
// at the expected version. Held: its wave did not start, after too many
// failures.
enum class UploadState {
    Waiting,
    NotFound,
    OtherSubnet,
    Skipped,
    Connecting,
    Sending,
    Done,
    Failed,
    Interrupted,
    Held
};

// What the view and the report see of one camera's upload.
struct UploadProgress {
    std::string id;  // as typed
    CameraInfo camera{};
    UploadState state = UploadState::Waiting;
    int percent = 0;
    int64_t sent = 0;
    int64_t size = 0;
    UploadFailure failure = UploadFailure::None;
    const char* reason = nullptr;  // a failure found after the session: its code
    std::string note;              // and its text, or why a camera was skipped
    uint32_t startedAt = 0;        // tick of the connect
    uint32_t sendingAt = 0;        // tick of the first block
    uint32_t endedAt = 0;
};

class UploadJobs {
public:
    // `cameras` in the order given; those not found are left as they are.
    // Every camera reads the one checked image by position, and logs in with
    // the user and password of `credentials`, which no snapshot carries.
    UploadJobs(std::vector<UploadProgress> cameras, UpgradeKind kind, const ImageFile& image,
               const Credentials& credentials)
        : cameras_(std::move(cameras)), kind_(kind), image_(image), credentials_(credentials) {}

    // Runs the uploads on up to `jobs` threads; `watch` is called on this
    // thread about every `periodMs` with a copy of the progress until all
    // have ended, and once more at the end. Once `stopped` says so, no
    // camera starts any more: those still waiting end Interrupted, and the
    // running ones finish or fail.
    void run(
        unsigned jobs, uint32_t periodMs, const std::function<void(const std::vector<UploadProgress>&)>& watch,
        const std::function<bool()>& stopped = [] { return false; });
    std::vector<UploadProgress> snapshot() const;
    // Called on the upload's own thread just before it connects, one call
    // at a time: where the journal notes the attempt.
    void beforeEach(std::function<void(const UploadProgress&)> call) { beforeEach_ = std::move(call); }
    // Called on the upload's own thread as soon as it has ended, Done or
    // Failed, one call at a time: where the journal notes the outcome.
    void afterEach(std::function<void(const UploadProgress&)> call) { afterEach_ = std::move(call); }

private:
    void uploadOne(size_t index);
    void call(const std::function<void(const UploadProgress&)>& each, size_t index);
    void update(size_t index, const std::function<void(UploadProgress&)>& change);
    void interruptWaiting();
    bool allEndedLocked() const;

    mutable std::mutex lock_;
    std::condition_variable ended_;  // a camera's upload has ended
    std::vector<UploadProgress> cameras_;
    UpgradeKind kind_;
    const ImageFile& image_;
    const Credentials& credentials_;
    std::function<void(const UploadProgress&)> beforeEach_, afterEach_;
    std::mutex callLock_;
};

}  // namespace lenscout
