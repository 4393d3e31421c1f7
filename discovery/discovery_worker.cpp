#include "discovery/discovery_worker.h"

#include <memory>
#include <new>

#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "discovery/discovery_socket.h"
#include "discovery/message_ids.h"
#include "discovery/reply_checks.h"
#include "discovery/same_subnet.h"
#include "discovery/thread_queue_target.h"
#include "discovery/worker_requests.h"
#include "platform/broadcast.h"
#include "platform/secrets.h"
#include "platform/tick_clock.h"
#include "protocol/packet_header.h"

namespace lenscout {

namespace {

void reportFailure(MessageTarget& window) {
    try {
        window.postMessage(WM_SCAN_ERROR, codeParam(kScanSocketFailure), 0);
    } catch (const std::bad_alloc&) {
        // Nothing is left to tell it with; the window finds the worker ended.
    }
}

}  // namespace

bool DiscoveryWorker::fail() {
    reportFailure(window_);
    return false;
}

bool DiscoveryWorker::start() {
    sockets_ = openDiscoverySockets(ports_);
    if (!sockets_.valid()) return fail();
    // A request posted before the first search still goes out on every link.
    haveInterfaces_ = readInterfaceTable(&interfaces_);
    previousTick_ = due_ = tickCount();
    lastSearch_ = previousTick_ - kMinSearchGapMs;
    return true;
}

bool DiscoveryWorker::runPass() { return takeThreadMessage() && searchIfDue() && receiveDatagrams(); }

bool DiscoveryWorker::takeThreadMessage() {
    ThreadMessage m;
    if (!peekThreadMessage(&m)) return true;
    if (m.message == kQuitThread) return false;
    if (m.message == TM_SEARCH_NOW) searchSoon();
    if (m.message == TM_SET_PERIOD) setPeriod(static_cast<uint32_t>(m.wParam));
    if (const WorkerRequest* request = findWorkerRequest(m.message)) return sendRequest(*request, m);
    return true;
}

// The request goes to its camera, then its record and the datagram, which
// may hold a password, are wiped; a search follows at once so that the
// camera's answer is seen soon.
bool DiscoveryWorker::sendRequest(const WorkerRequest& request, const ThreadMessage& m) {
    std::unique_ptr<CameraRequest> record = takeRecord<CameraRequest>(m.wParam);
    if (!record) return true;
    const Ipv4Interface* link = linkOf(record->target);
    if (!link) window_.postMessage(WM_SCAN_ERROR, codeParam(kScanLinkUnknown), 0);
    const bool sent = link && request.build(writer_, *record) &&
                      sendDiscoveryVia(sockets_.searching(), writer_, *link) != SendResult::Failed;
    // A request that went nowhere awaits no result and changes no camera.
    if (sent) {
        requestSenders_.sent(record->target.sender, tickCount());
        identities_.forget(fieldText(record->target.deviceId));
        searchSoon();
    }
    wipe(record.get(), sizeof *record);
    writer_.wipe();
    if (link && !sent) return fail();
    return true;
}

// The next search comes a new period after the last one: at once where
// that time has passed. Before the first search, that one stays due.
void DiscoveryWorker::setPeriod(uint32_t periodMs) {
    if (periodMs == 0) return;
    periodMs_ = periodMs;
    if (period_ > 0) due_ = lastSearch_ + periodMs_;
}

// Now, or kMinSearchGapMs after the last search, whichever is later.
void DiscoveryWorker::searchSoon() {
    const uint32_t earliest = lastSearch_ + kMinSearchGapMs;
    const uint32_t soon = tickReached(previousTick_, earliest) ? previousTick_ : earliest;
    if (!tickReached(soon, due_)) due_ = soon;
}

bool DiscoveryWorker::searchIfDue() {
    const uint32_t now = tickCount();
    previousTick_ = now;
    if (!tickReached(now, due_)) return true;
    // The interfaces are read once per period rather than once per reply or
    // request: a link that comes up is searched from the next period on.
    haveInterfaces_ = readInterfaceTable(&interfaces_);
    buildSearchRequest(writer_);
    int sent = 0;
    handOverSlice();  // the replies heard so far belong to the period now ending
    if (!broadcast(&sent)) return fail();
    ++period_;
    window_.postMessage(WM_SCAN_TICK, 0, sent == 0 ? kTickSentNothing : 0);
    lastSearch_ = now;
    due_ = now + periodMs_;
    return true;
}

// A link that is missing only skips that link; with none at all nothing
// goes out and the period goes on.
bool DiscoveryWorker::broadcast(int* sent) {
    const BroadcastOutcome outcome =
        broadcastDiscovery(sockets_.searching(), writer_, haveInterfaces_ ? &interfaces_ : nullptr);
    if (sent) *sent = outcome.sent;
    return !outcome.socketFailed;
}

// Where the chosen camera's reply arrived, as its record says: the link of
// the interface it came in by, from the address it came to where that link
// has several. The interface, not the address, decides: a reply broadcast
// from a camera at a factory address comes to a broadcast address, which no
// link holds. Null when that link is not known.
const Ipv4Interface* DiscoveryWorker::linkOf(const RequestTarget& target) const {
    if (target.arrivalIndex == 0 || !haveInterfaces_) return nullptr;
    const Ipv4Interface* link = nullptr;
    for (const Ipv4Interface& i : interfaces_) {
        if (!searchesThrough(i) || i.index != target.arrivalIndex) continue;
        if (!link || i.addr == target.arrivalLocal) link = &i;
    }
    return link;
}

// Waits one slice for a datagram on any port, then takes those already
// waiting on every port, so that a burst of replies leaves the sockets'
// buffers before they fill, and a flood on one port starves no other.
bool DiscoveryWorker::receiveDatagrams() {
    const std::vector<SocketHandle>& handles = sockets_.handles;
    size_t from = 0;
    // While records are held, a short quiet is enough to hand them over.
    switch (reader_.receive(handles.data(), handles.size(), slice_.empty() ? kReceiveSliceMs : kQuietMs, &from)) {
    case NET_ERROR: return handOverSlice(), fail();
    case NET_OK: break;
    default: return handOverSlice(), true;
    }
    takeDatagram();
    bool failed = false;
    for (size_t s = 0; !failed && s < handles.size(); ++s) {
        failed = batch_.receiveWaiting(handles[(from + s) % handles.size()]) < 0;
        for (size_t i = 0; !failed && i < batch_.count(); ++i)
            if (reader_.load(batch_.data(i), batch_.size(i), batch_.arrival(i))) takeDatagram();
    }
    if (failed || tickCount() - sliceStart_ >= kReceiveSliceMs) handOverSlice();
    return failed ? fail() : true;
}

void DiscoveryWorker::takeDatagram() {
    uint16_t command = 0;
    if (!reader_.parseHeader(&command, kDiscoveryMagic)) return;
    if (command == CMD_SEARCH_REPLY) takeSearchReply();
    if (command == CMD_RESULT) takeResult();
}

void DiscoveryWorker::takeSearchReply() {
    const Arrival arrival = reader_.arrival();
    const std::vector<Ipv4Interface>* links = haveInterfaces_ ? &interfaces_ : nullptr;
    if (sentByThisComputer(arrival.senderNet, links)) return;
    std::unique_ptr<CameraInfo> camera = parseSearchReply(reader_);
    if (!camera || unusableCameraAddress(camera->ip, links)) return;
    applySameSubnet(*camera, links);
    camera->arrivalIndex = arrival.index;
    camera->arrivalLocal = arrival.localNet;
    camera->sender = arrival.senderNet;
    identities_.hear(*camera, period_);
    if (slice_.empty()) sliceStart_ = tickCount();
    std::string id(fieldText(camera->deviceId));
    const auto [at, isNew] = sliceIndex_.try_emplace(std::move(id), slice_.size());
    if (isNew) slice_.push_back(std::move(camera));
    else
        slice_[at->second] = std::move(camera);
}

// A flood of replies for one ID costs the window one record per slice: the
// records are held until the socket is quiet for kQuietMs, a slice has
// passed since the first, or a search begins.
void DiscoveryWorker::handOverSlice() {
    for (std::unique_ptr<CameraInfo>& camera : slice_)
        handOverRecord(std::move(camera),
                       [this](uintptr_t record) { return window_.postMessage(WM_CAMERA_FOUND, record, 0); });
    slice_.clear();
    sliceIndex_.clear();
}

void DiscoveryWorker::takeResult() {
    uint16_t code = 0;
    if (!parseResult(reader_, &code) || code == 0) return;
    if (!requestSenders_.expects(reader_.arrival().senderNet, tickCount())) return;
    const int32_t signedCode = static_cast<int16_t>(code);
    // 65534 from a camera would read as the worker's own socket failure and
    // end the program: any device could do that with one datagram.
    if (signedCode == kScanSocketFailure) return;
    // The sender lets a tool with requests out to several cameras tell whose
    // refusal it is.
    window_.postMessage(WM_SCAN_ERROR, codeParam(signedCode), static_cast<intptr_t>(reader_.arrival().senderNet));
}

uint32_t DiscoveryThreadProc(MessageTarget* window, uint32_t periodMs, const std::vector<uint16_t>& ports) {
    try {
        auto worker = std::make_unique<DiscoveryWorker>(*window, periodMs, ports);
        if (worker->start())
            while (worker->runPass()) {}
    } catch (const std::bad_alloc&) {
        // Out of memory ends the worker as a socket failure does, and is
        // reported as one, instead of ending the whole process.
        reportFailure(*window);
    }
    discardThreadQueue();
    return 0;
}

bool postSetNetwork(ThreadId worker, const CameraRequest& request) {
    return postWorkerRequest(worker, TM_SET_NETWORK, request);
}

bool postSearchNow(ThreadId worker) { return postThreadMessage(worker, TM_SEARCH_NOW, 0, 0); }
bool postQuit(ThreadId worker) { return postThreadMessage(worker, kQuitThread, 0, 0); }

}  // namespace lenscout
