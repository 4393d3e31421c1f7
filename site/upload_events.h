#pragma once
// What a window or a terminal tells of uploads as they go: the events
// between two snapshots of the rows, and the tally of where the cameras are.
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "site/json_value.h"
#include "site/upload_jobs.h"

namespace lenscout {

enum class UploadEventKind { Started, Progress, Ended };

struct UploadEvent {
    UploadEventKind kind;
    size_t row;
};

// A camera's start, its bytes at most once a second, and its end, each
// told once.
class UploadEvents {
public:
    std::vector<UploadEvent> next(const std::vector<UploadProgress>& rows, uint32_t now);

private:
    std::map<size_t, UploadState> told_;
    std::map<size_t, uint32_t> bytesToldAt_;
};

// An event as one JSON object: started, progress with the bytes, ended
// with the outcome and the failure's code.
Json uploadEventJson(const UploadEvent& event, const UploadProgress& row);

struct UploadTally {
    size_t done = 0, failed = 0, running = 0, waiting = 0;
    int64_t sent = 0, size = 0;
};
UploadTally tallyOf(const std::vector<UploadProgress>& rows);

}  // namespace lenscout
