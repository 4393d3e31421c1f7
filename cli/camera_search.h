#pragma once
// A discovery worker of the tool's own, reporting to the calling thread,
// and the waits the subcommands build on it.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "discovery/camera_info.h"
#include "discovery/discovery_worker.h"
#include "discovery/thread_queue_target.h"
#include "platform/worker_thread.h"

namespace lenscout {

// One notification of the worker, with what it owns taken over.
struct SearchEvent {
    uint32_t message = 0;
    std::unique_ptr<CameraInfo> camera;  // WM_CAMERA_FOUND
    int32_t code = 0;                    // WM_SCAN_ERROR
    uint32_t sender = 0;                 // and who sent it, network order
};

// How long after the last wanted camera answered the search goes on, to
// hear a second device that answers with one of the IDs.
constexpr uint32_t kIdentityWaitMs = 1000;

class CameraSearch {
public:
    // `program` names the tool in what it says; `periodMs` is the time
    // between searches.
    explicit CameraSearch(const char* program = "lenscout-cli", uint32_t periodMs = kSearchPeriodMs);
    ~CameraSearch();
    CameraSearch(const CameraSearch&) = delete;
    CameraSearch& operator=(const CameraSearch&) = delete;

    // Starts the worker: its first search goes out at once.
    bool start();
    ThreadId worker() const { return thread_.id(); }
    // The next notification before the tick `until`; false when none came.
    bool next(uint32_t until, SearchEvent* event);
    // Whether the worker has reported the failure that ended it.
    bool failed() const { return failed_; }
    // Takes notifications until every ID in `ids` has answered and
    // kIdentityWaitMs more have passed, or `until` has come; each camera's
    // latest record lands in `found`, marked if two devices answered.
    void findAll(const std::vector<std::string>& ids, uint32_t until, std::map<std::string, CameraInfo>* found);
    // Every camera that answers until `until`, once, in the order they first
    // answered, with its latest record. With `awaited`, the listing ends
    // early once each of those IDs has answered and no new camera has for
    // kIdentityWaitMs: the cameras of one search answer within it.
    void listAll(uint32_t until, std::vector<CameraInfo>* cameras, const std::vector<std::string>* awaited = nullptr);
    // The opening of the commands that act on cameras: starts the worker and
    // finds the cameras, each for `searchMs`. False, with the reason said
    // (after "`who`: " where given) and `*status` the exit status, when the
    // search could not be made; a camera that did not answer is no failure.
    bool searchFor(const std::vector<std::string>& ids, uint32_t searchMs, std::map<std::string, CameraInfo>* found,
                   int* status, const std::string& who = "");
    bool searchAll(uint32_t searchMs, std::vector<CameraInfo>* cameras, int* status,
                   const std::vector<std::string>* awaited = nullptr);
    // Frees what has piled up, without waiting.
    void drop();
    // While answers are awaited: asks the worker for a search when
    // kMinSearchGapMs have passed since this last asked, rather than waiting
    // for its period. Called as often as wanted.
    void searchOften();

private:
    // Starts the worker, collects, and says why when the search failed.
    template <class Collect>
    bool searchWith(Collect collect, int* status, const std::string& who);

    const char* program_;
    uint32_t periodMs_;
    ThreadQueueTarget target_;
    WorkerThread thread_;
    bool failed_ = false;
    bool saidNoInterface_ = false;
    uint32_t lastAsked_ = 0;
};

// The ID as the camera holds it: GBK, from the terminal's encoding.
std::string cameraIdOf(const std::string& typed);

}  // namespace lenscout
