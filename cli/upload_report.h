#pragma once
// The table at the end of an upload: each camera, the time taken and its
// outcome in the system's words; or the same as JSON.
#include <cstdint>
#include <string>
#include <vector>

#include "site/upload_jobs.h"

namespace lenscout {

// The image that every camera got.
struct ImageSummary {
    std::string path;
    int64_t size = 0;
    std::string sha256;  // lower-case hex
};

std::string outcomeText(const UploadProgress& p);
// The outcome's word for scripts: uploaded, failed, not-found, ...
const char* uploadOutcomeWord(UploadState state);
// A failure's code for scripts, beside its text in the user's language:
// cannot-connect, login-refused, camera-busy, no-reply, connection-closed,
// unknown-reply, wrong-camera, not-confirmed, broken-off, file-unreadable,
// socket-error.
const char* reasonCode(int textRow);
// The code of a camera's failure, in the session or after it.
const char* failureReason(const UploadProgress& p);
// "image PATH: N bytes, SHA-256 HEX", a line of the report.
std::string imageLine(const ImageSummary& image);
std::string uploadTable(const std::vector<UploadProgress>& cameras);
// `versions` holds, for each camera, the search reply after a success.
std::string uploadJson(const std::vector<UploadProgress>& cameras, const std::vector<const CameraInfo*>& versions,
                       const ImageSummary& image);

}  // namespace lenscout
