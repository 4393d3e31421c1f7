#pragma once
// The uploads' progress on standard error: on a terminal a live line per
// camera with percent, bytes and rate; elsewhere a plain line each time a
// camera passes another 10 %.
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "cli/upload_jobs.h"

namespace lenscout {

class ProgressView {
public:
    ProgressView(std::FILE* out, bool live) : out_(out), live_(live) {}
    void show(const std::vector<UploadProgress>& cameras);

private:
    void redraw(const std::vector<UploadProgress>& cameras);
    void report(const std::vector<UploadProgress>& cameras);

    std::FILE* out_;
    bool live_;
    size_t drawn_ = 0;                // lines of the last live drawing
    std::map<size_t, int> reported_;  // camera, the last tenth told
};

// "12.3 MiB" and the like.
std::string byteAmount(int64_t bytes);
// The average rate of `bytes` since the tick `since`, "4.5 MiB/s".
std::string byteRate(int64_t bytes, uint32_t since, uint32_t now);
// The line of one camera as the live view shows it.
std::string progressLine(const UploadProgress& p, uint32_t now);

}  // namespace lenscout
