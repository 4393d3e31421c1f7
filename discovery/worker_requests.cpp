#include "discovery/worker_requests.h"

#include <new>

#include "discovery/discovery_messages.h"
#include "discovery/message_ids.h"
#include "platform/secrets.h"

namespace lenscout {

namespace {

void wipeRequest(std::unique_ptr<CameraRequest> request) {
    if (request) wipe(request.get(), sizeof *request);
}

}  // namespace

bool postWorkerRequest(ThreadId worker, uint32_t message, const CameraRequest& request) {
    if (!findWorkerRequest(message)) return false;
    std::unique_ptr<CameraRequest> copy(new (std::nothrow) CameraRequest(request));
    // A copy that cannot be posted is wiped before it is freed.
    CameraRequest* held = copy.get();
    return handOverRecord(std::move(copy), [worker, message, held](uintptr_t r) {
        if (postThreadMessage(worker, message, r, 0)) return true;
        wipe(held, sizeof *held);
        return false;
    });
}

void releaseMessage(const ThreadMessage& m) {
    if (!carriesRecord(m.message)) return;
    if (findWorkerRequest(m.message)) wipeRequest(takeRecord<CameraRequest>(m.wParam));
    else
        takeRecord(m.wParam);
}

}  // namespace lenscout
