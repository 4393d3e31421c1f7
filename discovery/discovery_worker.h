#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "discovery/camera_info.h"
#include "discovery/discovery_socket.h"
#include "discovery/message_target.h"
#include "discovery/reply_identities.h"
#include "discovery/request_senders.h"
#include "discovery/worker_requests.h"
#include "platform/datagram_batch.h"
#include "platform/interface_table.h"
#include "platform/socket.h"
#include "platform/thread_queue.h"
#include "protocol/datagram_reader.h"
#include "protocol/packet_writer.h"

namespace lenscout {

constexpr uint32_t kSearchPeriodMs = 3000;
constexpr uint32_t kReceiveSliceMs = 100;
// Replies are handed over once the socket has been quiet this long.
constexpr uint32_t kQuietMs = 10;
// A search asked for (by a request, or by a tool waiting for answers) goes
// out at most this often: a camera that floods is not to be answered by a
// flood of broadcasts.
constexpr uint32_t kMinSearchGapMs = 500;

// All UDP work of the program: broadcasts a search every 3000 ms or on
// request, out through every link, turns replies into camera records and
// passes them, the ticks and the cameras' result codes to its window. One
// pass handles at most one thread message, waits at most one receive slice
// for a datagram, and then takes the datagrams already waiting. Of the
// replies of one slice it hands over one record per ID, the latest.
//
// Nothing that speaks from this computer is listed, nor a camera at an
// address no camera can hold; replies for one ID from two devices are
// marked, and a result counts only from a camera a request just went to.
class DiscoveryWorker {
public:
    // `periodMs` between searches; a tool that wants one search only gives a
    // period longer than its run. Replies are heard on each of `ports`.
    explicit DiscoveryWorker(MessageTarget& window, uint32_t periodMs = kSearchPeriodMs,
                             std::vector<uint16_t> ports = discoveryPorts())
        : window_(window), periodMs_(periodMs), ports_(std::move(ports)) {}
    DiscoveryWorker(const DiscoveryWorker&) = delete;
    DiscoveryWorker& operator=(const DiscoveryWorker&) = delete;

    // Sockets, broadcast option and bindings; on failure posts the socket
    // failure code and returns false.
    bool start();
    // False once the loop is left.
    bool runPass();
    // The searching socket's bound port in network byte order.
    uint16_t port() const { return sockets_.valid() ? localPort(sockets_.searching()) : 0; }

private:
    bool takeThreadMessage();
    bool sendRequest(const WorkerRequest& request, const ThreadMessage& m);
    bool searchIfDue();
    void searchSoon();
    void setPeriod(uint32_t periodMs);
    bool broadcast(int* sent);
    const Ipv4Interface* linkOf(const RequestTarget& target) const;
    bool receiveDatagrams();
    void takeDatagram();
    void takeSearchReply();
    void takeResult();
    void handOverSlice();
    bool fail();

    MessageTarget& window_;
    uint32_t periodMs_;
    std::vector<uint16_t> ports_;
    DiscoverySockets sockets_;
    uint32_t due_ = 0;
    uint32_t previousTick_ = 0;
    uint32_t lastSearch_ = 0;
    PacketWriter writer_;
    DatagramReader reader_;
    DatagramBatch batch_;
    std::vector<Ipv4Interface> interfaces_;
    bool haveInterfaces_ = false;
    uint32_t period_ = 0;  // searches sent so far
    ReplyIdentities identities_;
    RequestSenders requestSenders_;
    // This receive slice's records, one per ID, in the order first heard.
    std::vector<std::unique_ptr<CameraInfo>> slice_;
    std::unordered_map<std::string, size_t> sliceIndex_;
    uint32_t sliceStart_ = 0;  // when the first of them was heard
};

// The worker thread's entry: runs a worker for `window` until kQuitThread or a
// socket failure, frees what its queue still holds, and returns 0.
uint32_t DiscoveryThreadProc(MessageTarget* window, uint32_t periodMs = kSearchPeriodMs,
                             const std::vector<uint16_t>& ports = discoveryPorts());

// Thread messages to the worker. postSetNetwork sends a heap copy that the
// worker owns once posted; on failure the copy is wiped and freed here.
bool postSetNetwork(ThreadId worker, const CameraRequest& request);
bool postSearchNow(ThreadId worker);
bool postQuit(ThreadId worker);

}  // namespace lenscout
