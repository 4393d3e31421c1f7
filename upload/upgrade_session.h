#pragma once
// One upload of an image to one camera, on the calling thread: connect to
// its HTTP port, hello, login, then the image in blocks.
#include <cstdint>

#include "discovery/camera_info.h"
#include "discovery/camera_request.h"
#include "upload/image_file.h"
#include "upload/upgrade_messages.h"
#include "upload/upload_cancel.h"
#include "upload/upload_failure.h"

namespace lenscout {

class UpgradeObserver {
public:
    virtual ~UpgradeObserver() = default;
    // Once, after the login was accepted, before the first block.
    virtual void onTransferStart() = 0;
    // After each block: the integer percentage sent.
    virtual void onProgress(int percent) = 0;
    // After each block, with the bytes sent so far of `size`: for observers
    // that show amounts and rates.
    virtual void onBytes(int64_t sent, int64_t size) { (void)sent, (void)size; }
    // Once, when the session fails, with what went wrong; the connection is
    // still open until this returns.
    virtual void onFailure(UploadFailure failure) = 0;
};

enum class UpgradeResult { Success, Failure };

// Limits that keep a silent camera from holding the program for ever.
constexpr uint32_t kConnectLimitMs = 20000;
constexpr uint32_t kSendStallLimitMs = 10000;
// How long the camera may take, after the last block, to close the
// connection: its close is what says that it has every byte.
constexpr uint32_t kConfirmLimitMs = 30000;
// The throughput floor: a camera that takes less than this in a window is
// given up, however steadily it trickles.
constexpr uint32_t kFloorBytes = 64 * 1024;
constexpr uint32_t kFloorWindowMs = 30000;

struct UploadLimits {
    uint32_t confirmMs = kConfirmLimitMs;
    uint32_t floorBytes = kFloorBytes;
    uint32_t floorWindowMs = kFloorWindowMs;
};

class StreamReader;

// The checks of the two replies, after the reply's one receive: None when
// it lets the session go on.
UploadFailure checkHelloReply(StreamReader& reader, const char (&deviceId)[kIdSize]);
UploadFailure checkLoginReply(StreamReader& reader);

class UpgradeSession {
public:
    // `camera` gives ip, httpPort and deviceId; the login is `credentials`.
    // Success only once the camera has closed the connection after the last
    // block. With `cancel`, another thread can stop it: it then fails
    // Cancelled.
    static UpgradeResult run(UpgradeKind kind, const ImageFile& image, const CameraInfo& camera,
                             const Credentials& credentials, UpgradeObserver& observer, const UploadLimits& limits = {},
                             UploadCancel* cancel = nullptr);
};

}  // namespace lenscout
