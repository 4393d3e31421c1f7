#pragma once
// The uploads' progress on standard error: on a terminal a live summary
// line, then a line for each camera at work and each that failed, with
// percent, bytes and rate; elsewhere a plain line each time a camera passes
// another 10 %; for a program, JSON lines of events (docs/json.md).
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "site/upload_events.h"
#include "site/upload_jobs.h"

namespace lenscout {

enum class ProgressForm { Live, Lines, JsonLines };

class ProgressView {
public:
    ProgressView(std::FILE* out, ProgressForm form) : out_(out), form_(form) {}
    void show(const std::vector<UploadProgress>& cameras);

private:
    void redraw(const std::vector<UploadProgress>& cameras);
    void report(const std::vector<UploadProgress>& cameras);
    void events(const std::vector<UploadProgress>& cameras);

    std::FILE* out_;
    ProgressForm form_;
    size_t drawn_ = 0;                // lines of the last live drawing
    std::map<size_t, int> reported_;  // camera, the last tenth told
    UploadEvents events_;             // for JSON
};

// The live view's first line: how many cameras are where, and the bytes.
std::string summaryLine(const std::vector<UploadProgress>& cameras);

// "12.3 MiB" and the like.
std::string byteAmount(int64_t bytes);
// The average rate of `bytes` since the tick `since`, "4.5 MiB/s".
std::string byteRate(int64_t bytes, uint32_t since, uint32_t now);
// The line of one camera as the live view shows it.
std::string progressLine(const UploadProgress& p, uint32_t now);

}  // namespace lenscout
