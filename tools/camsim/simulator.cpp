#include "tools/camsim/simulator.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "discovery/discovery_port.h"
#include "platform/broadcast.h"
#include "platform/interface_table.h"
#include "tools/camsim/camera_address.h"
#include "tools/camsim/sim_codec.h"
#include "tools/camsim/sim_wire.h"
#include "tools/common/hex.h"

namespace lenscout {

namespace {

constexpr int kMaxWaitMs = 100;

// "a.b.c.d:port" of an address and port in network byte order.
std::string endpoint(uint32_t addr, uint16_t port) {
    const auto* b = reinterpret_cast<const uint8_t*>(&addr);
    return std::to_string(b[0]) + "." + std::to_string(b[1]) + "." + std::to_string(b[2]) + "." + std::to_string(b[3]) +
           ":" + std::to_string(toHostPort(port));
}

// A request as the program must send it: its header and its exact size,
// and the tag 00 00 00 01 first.
std::string violationsOf(const sim::Message& m, size_t size) {
    std::vector<std::string> found = sim::requestViolations(m, size);
    static const uint8_t tag[4] = {0, 0, 0, 1};
    if (m.payload.size() >= 4 && std::memcmp(m.payload.data(), tag, 4) != 0) found.push_back("tag");
    return found.empty() ? "" : " violation=" + sim::joined(found);
}

const char* outcomeName(SetOutcome outcome) {
    switch (outcome) {
    case SetOutcome::Applied: return "applied";
    case SetOutcome::BadCredentials: return "bad-credentials";
    default: return "not-mine";
    }
}

}  // namespace

Simulator::Simulator(SimOptions options) : options_(std::move(options)), random_(options_.seed), received_(65536) {}

Simulator::~Simulator() {
    uploads_.reset();  // its threads still log
}

bool Simulator::open(std::string* error) {
    if (options_.logPath.empty()) {
        log_ = stderr;
    } else {
        ownedLog_.reset(std::fopen(options_.logPath.c_str(), "a"));
        log_ = ownedLog_.get();
        if (!log_) {
            *error = "cannot open log " + options_.logPath + ": " + std::strerror(errno);
            return false;
        }
    }
    socket_ = openUdpSocket();
    if (!socket_.valid() || !enableBroadcast(socket_.get()) || !setReuseAddress(socket_.get()) ||
        !bindAny(socket_.get(), toNetPort(options_.port))) {
        *error = "cannot bind UDP port " + std::to_string(options_.port) + ": " + std::strerror(errno);
        return false;
    }
    // One process stands for many cameras, each of which would have a buffer
    // of its own: a flood must not crowd out the requests they all answer.
    setReceiveBuffer(socket_.get(), 4 << 20);  // best effort: the system may cap it
    // Upload lines carry the monotonic clock too: benchmarks time transfers by it.
    uploads_ =
        std::make_unique<UploadServer>(options_, options_.cameras, camerasLock_, [this](const std::string& line) {
            using std::chrono::duration_cast;
            using std::chrono::milliseconds;
            logLine(line +
                    " mono_ms=" + std::to_string(duration_cast<milliseconds>(Clock::now().time_since_epoch()).count()));
        });
    if (!uploads_->start(error)) return false;
    started_ = Clock::now();
    return true;
}

void Simulator::run(const volatile int& stop) {
    const Clock::time_point end = started_ + std::chrono::seconds(options_.durationS);
    while (!stop && Clock::now() < end) {
        const uint32_t waitMs = static_cast<uint32_t>(waitBudgetMs(end));
        if (waitReadable(socket_.get(), waitMs) == WaitResult::Readable) receiveOne();
        sendDueReplies();
    }
}

int Simulator::waitBudgetMs(Clock::time_point end) const {
    Clock::time_point next = std::min(end, Clock::now() + std::chrono::milliseconds(kMaxWaitMs));
    if (!pending_.empty()) next = std::min(next, pending_.top().due);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(next - Clock::now()).count();
    return static_cast<int>(std::max<long long>(0, left));
}

void Simulator::receiveOne() {
    uint32_t addr = 0;
    uint16_t port = 0;
    const long n = receiveFrom(socket_.get(), received_.data(), received_.size(), &addr, &port);
    if (n < 0) return;
    const size_t count = static_cast<size_t>(n);
    // Milliseconds since the start, and on the system's monotonic clock so
    // that other processes' timings can be set against the arrival.
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    const Clock::time_point now = Clock::now();
    std::string line = std::to_string(duration_cast<milliseconds>(now - started_).count()) +
                       " mono_ms=" + std::to_string(duration_cast<milliseconds>(now.time_since_epoch()).count()) +
                       " from=" + endpoint(addr, port) + " bytes=" + std::to_string(count);
    sim::Message m;
    if (!sim::decode(received_.data(), count, &m) || std::memcmp(m.magic, sim::kDiscovery, 4) != 0 ||
        count != sim::kHeaderBytes + m.payloadLength) {
        logLine(line + " cmd=- hex=" + hexOf(received_.data(), count));
        return;
    }
    line += " cmd=" + std::to_string(m.command) + " hex=" + hexOf(received_.data(), count);
    if (m.command == sim::kCmdSearch) {
        line += violationsOf(m, 4);
        handleSearch(addr, port);
    }
    if (m.command == sim::kCmdSetNetwork) line += violationsOf(m, 61) + handleSetNetwork(m, addr, port);
    logLine(line);
}

void Simulator::handleSearch(uint32_t addr, uint16_t port) {
    std::uniform_int_distribution<uint64_t> delay(options_.delayMinMs,
                                                  std::max(options_.delayMinMs, options_.delayMaxMs));
    const Clock::time_point now = Clock::now();
    for (size_t i = 0; i < options_.cameras.size(); ++i)
        pending_.push(Reply{now + std::chrono::milliseconds(delay(random_)), i, addr, port});
    for (uint64_t i = 0; i < options_.resultStorm; ++i) sendResult(5, addr, port);
}

std::string Simulator::handleSetNetwork(const sim::Message& m, uint32_t addr, uint16_t port) {
    SetNetworkRequest request;
    if (!parseSetNetwork(m.payload, &request)) return " outcome=short";
    std::lock_guard<std::mutex> guard(camerasLock_);
    for (SimCamera& camera : options_.cameras) {
        const SetOutcome outcome =
            applySetNetwork(camera, request, std::uniform_real_distribution<double>(0.0, 1.0)(random_));
        if (outcome == SetOutcome::NotMine) continue;
        const int32_t code = outcome == SetOutcome::Applied ? camera.result : camera.authFailResult;
        const uint32_t source = sourceFor(camera.ip, camera.mask);
        if (camera.resultDelayMs == 0) sendResult(code, addr, port, source);
        else
            pending_.push(Reply{Clock::now() + std::chrono::milliseconds(camera.resultDelayMs),
                                static_cast<size_t>(&camera - options_.cameras.data()), addr, port, code, source});
        return std::string(" outcome=") + outcomeName(outcome) + " id=" + request.deviceId;
    }
    return " outcome=not-mine";
}

void Simulator::sendDueReplies() {
    const Clock::time_point now = Clock::now();
    while (!pending_.empty() && pending_.top().due <= now) {
        const Reply reply = pending_.top();
        pending_.pop();
        if (reply.result >= 0) {
            sendResult(reply.result, reply.addr, reply.port, reply.source);
            continue;
        }
        std::vector<uint8_t> payload;
        uint32_t ip = 0, mask = 0;
        {
            std::lock_guard<std::mutex> guard(camerasLock_);
            SimCamera& camera = options_.cameras[reply.camera];
            settlePendingSettings(camera, now);
            if (now < camera.silentUntil) continue;  // rebooting
            payload = searchReplyPayload(camera, options_.extras);
            ip = camera.ip, mask = camera.mask;
        }
        send(sim::kCmdSearchReply, payload, reply.addr, reply.port, sourceFor(ip, mask));
    }
}

void Simulator::sendResult(int32_t code, uint32_t addr, uint16_t port, uint32_t source) {
    if (code < 0) return;
    std::vector<uint8_t> payload;
    sim::putLe16(payload, static_cast<uint16_t>(code));
    payload.insert(payload.end(), options_.extras.trailing, 0xa5);
    send(sim::kCmdResult, payload, addr, port, source);
}

namespace {

// Addresses a host cannot hold; a camera claiming one answers from the host's.
bool holdable(uint32_t addrNet) {
    const uint8_t first = reinterpret_cast<const uint8_t*>(&addrNet)[0];
    return first != 0 && first != 127 && first < 224;
}

}  // namespace

uint32_t Simulator::sourceFor(uint32_t cameraIp, uint32_t cameraMask) {
    if (options_.forgeFrom) cameraIp = options_.forgeFrom, cameraMask = 0xffffffffu;
    else if (!options_.ownAddresses)
        return 0;
    if (held_.count(cameraIp)) return cameraIp;
    if (refused_.count(cameraIp) || !holdable(cameraIp)) return 0;
    std::vector<Ipv4Interface> table;
    readInterfaceTable(&table);
    for (const Ipv4Interface& i : table)
        if (i.addr == cameraIp) return held_.insert(cameraIp), cameraIp;
    std::string error;
    if (!addCameraAddress(cameraIp, cameraMask, &error)) {
        logLine("0 address=" + endpoint(cameraIp, 0) + " not-held: " + error);
        refused_.insert(cameraIp);
        return 0;
    }
    held_.insert(cameraIp);
    return cameraIp;
}

void Simulator::send(uint16_t command, const std::vector<uint8_t>& payload, uint32_t addr, uint16_t port,
                     uint32_t source) {
    outgoing_ = wireBytes(sim::kDiscovery, command, payload, options_);
    if (options_.replyPort) port = toNetPort(options_.replyPort);
    if (!options_.replyBroadcast) {
        if (source) sendDatagramVia(socket_.get(), outgoing_.data(), outgoing_.size(), addr, port, 0, source);
        else
            sendDatagramTo(socket_.get(), outgoing_.data(), outgoing_.size(), addr, port);
        return;
    }
    // Out of every link, as a camera with no route for 255.255.255.255 still can.
    std::vector<Ipv4Interface> links;
    const bool known = readInterfaceTable(&links);
    broadcastOnEveryLink(socket_.get(), outgoing_.data(), outgoing_.size(), 0xffffffffu,
                         options_.replyPort ? port : toNetPort(DISCOVERY_PORT), known ? &links : nullptr);
}

void Simulator::logLine(const std::string& line) {
    std::lock_guard<std::mutex> guard(logLock_);
    std::fprintf(log_, "%s\n", line.c_str());
    std::fflush(log_);
}

}  // namespace lenscout
