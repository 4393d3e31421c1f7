#pragma once
// A discovery worker of the tool's own, reporting to the calling thread,
// and the waits the subcommands build on it.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/user_settings.h"
#include "discovery/camera_info.h"
#include "discovery/discovery_worker.h"
#include "discovery/thread_queue_target.h"
#include "platform/worker_thread.h"
#include "site/camera_link.h"

namespace lenscout {

// How long after the last wanted camera answered the search goes on, to
// hear a second device that answers with one of the IDs.
constexpr uint32_t kIdentityWaitMs = 1000;

// How long the opening search of every command lasts unless told.
constexpr uint32_t kDefaultSearchMs = 4000;

// The search period of a command that searches once: longer than any run,
// so only the first goes.
constexpr uint32_t kOneSearchOnly = 0x7fffffffu;

// Why a search could not be made.
enum class SearchFailure { None, NoThread, Socket };

class CameraSearch : public CameraLink {
public:
    // `periodMs` is the time between searches.
    explicit CameraSearch(uint32_t periodMs = kSearchPeriodMs);
    ~CameraSearch();
    CameraSearch(const CameraSearch&) = delete;
    CameraSearch& operator=(const CameraSearch&) = delete;

    // Starts the worker: its first search goes out at once.
    bool start();
    ThreadId worker() const { return thread_.id(); }
    // Makes the started worker follow the user's settings from here on.
    void follow(const SettingValues& settings);
    // Told once when a search went out on no link: why nothing answers.
    void onNoInterface(std::function<void()> call) { onNoInterface_ = std::move(call); }
    uint32_t now() override;
    bool next(uint32_t until, SearchEvent* event) override;
    bool sendSettings(const CameraRequest& request) override;
    // Whether the worker has reported the failure that ended it.
    bool failed() const { return failed_; }
    // Takes notifications until every ID in `ids` has answered and
    // kIdentityWaitMs more have passed, or `until` has come; each camera's
    // latest record lands in `found`, marked if two devices answered.
    void findAll(const std::vector<std::string>& ids, uint32_t until, std::map<std::string, CameraInfo>* found);
    // Every camera that answers until `until`, once, in the order they first
    // answered, with its latest record; at most kMaxListedCameras of them
    // (listFull() says when more answered). With `awaited`, the listing ends
    // early once each of those IDs has answered and no new camera has for
    // kIdentityWaitMs: the cameras of one search answer within it.
    void listAll(uint32_t until, std::vector<CameraInfo>* cameras, const std::vector<std::string>* awaited = nullptr);
    // The opening of the commands that act on cameras: starts the worker and
    // lists the cameras for `searchMs` (listAll). A camera that did not
    // answer is no failure.
    SearchFailure searchAll(uint32_t searchMs, std::vector<CameraInfo>* cameras,
                            const std::vector<std::string>* awaited = nullptr);
    void drop() override;
    bool listFull() const { return listFull_; }
    void searchOften() override;

private:
    uint32_t periodMs_;
    std::function<void()> onNoInterface_;
    ThreadQueueTarget target_;
    WorkerThread thread_;
    bool failed_ = false;
    bool saidNoInterface_ = false;
    bool listFull_ = false;
    uint32_t lastAsked_ = 0;
};

// The camera of `cameras` that answered with `id` (GBK), or none.
const CameraInfo* findCamera(const std::vector<CameraInfo>& cameras, const std::string& id);

// The ID as the camera holds it: GBK, from the terminal's encoding.
std::string cameraIdOf(const std::string& typed);

}  // namespace lenscout
