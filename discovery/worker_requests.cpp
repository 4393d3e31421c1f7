#include "discovery/worker_requests.h"

#include <new>

#include "discovery/discovery_messages.h"
#include "discovery/message_ids.h"
#include "platform/secrets.h"

namespace lenscout {

namespace {

void wipeRecord(std::unique_ptr<CameraInfo> record) {
    if (record) wipe(record.get(), sizeof *record);
}

}  // namespace

bool postWorkerRequest(ThreadId worker, uint32_t message, const CameraInfo& record) {
    if (!findWorkerRequest(message)) return false;
    std::unique_ptr<CameraInfo> copy(new (std::nothrow) CameraInfo(record));
    return handOverRecord(std::move(copy),
                          [worker, message](uintptr_t r) { return postThreadMessage(worker, message, r, 0); });
}

void releaseMessage(const ThreadMessage& m) {
    if (!carriesRecord(m.message)) return;
    std::unique_ptr<CameraInfo> record = takeRecord(m.wParam);
    if (findWorkerRequest(m.message)) wipeRecord(std::move(record));
}

}  // namespace lenscout
