#pragma once
// The requests a window hands the discovery worker for one camera: each is
// a thread message with a heap request and the builder of the datagram it
// sends. A new request is its message in message_ids.h, and its builder and
// its entry in kWorkerRequests beside the other messages
// (discovery_messages.cpp).
#include <cstdint>

#include "discovery/camera_request.h"
#include "platform/thread_queue.h"
#include "protocol/packet_writer.h"

namespace lenscout {

struct WorkerRequest {
    uint32_t message;
    // The datagram for the request's camera, with its credentials and payload.
    bool (*build)(PacketWriter& writer, const CameraRequest& request);
};

// The request that a thread message carries, or null for any other message.
const WorkerRequest* findWorkerRequest(uint32_t message);

// Posts a heap copy of `request` with its message; the worker owns it once
// posted, and on failure it is wiped and freed here.
bool postWorkerRequest(ThreadId worker, uint32_t message, const CameraRequest& request);

}  // namespace lenscout
