#include "tools/camsim/simulator.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "protocol/packet_header.h"
#include "tools/camsim/sim_wire.h"
#include "tools/common/hex.h"

namespace lenscout {

namespace {

constexpr int kMaxWaitMs = 100;

std::string endpoint(uint32_t addr, uint16_t port) {
    return dottedQuad(addr) + ":" + std::to_string(toHostPort(port));
}

const char* outcomeName(SetOutcome outcome) {
    switch (outcome) {
    case SetOutcome::Applied: return "applied";
    case SetOutcome::BadCredentials: return "bad-credentials";
    default: return "not-mine";
    }
}

}  // namespace

Simulator::Simulator(SimOptions options)
    : options_(std::move(options)), random_(options_.seed), received_(DatagramReader::kBufferSize) {}

Simulator::~Simulator() {
    uploads_.reset();  // its threads still log
    if (ownLog_ && log_) std::fclose(log_);
}

bool Simulator::open(std::string* error) {
    if (options_.logPath.empty()) {
        log_ = stderr;
    } else {
        log_ = std::fopen(options_.logPath.c_str(), "a");
        ownLog_ = log_ != nullptr;
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
    // Upload lines carry the monotonic clock too: benchmarks time transfers by it.
    uploads_ = std::make_unique<UploadServer>(options_, options_.cameras, camerasLock_, [this](const std::string& line) {
        using std::chrono::duration_cast;
        using std::chrono::milliseconds;
        logLine(line + " mono_ms=" + std::to_string(duration_cast<milliseconds>(Clock::now().time_since_epoch()).count()));
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
    uint16_t command = 0;
    if (!reader_.load(received_.data(), count) || !reader_.parseHeader(&command, kDiscoveryMagic)) {
        logLine(line + " cmd=- hex=" + hexOf(received_.data(), count));
        return;
    }
    line += " cmd=" + std::to_string(command) + " hex=" + hexOf(received_.data(), count);
    if (command == CMD_SEARCH) handleSearch(addr, port);
    if (command == CMD_SET_NETWORK) line += handleSetNetwork(addr, port);
    logLine(line);
}

void Simulator::handleSearch(uint32_t addr, uint16_t port) {
    std::uniform_int_distribution<uint64_t> delay(options_.delayMinMs, std::max(options_.delayMinMs, options_.delayMaxMs));
    const Clock::time_point now = Clock::now();
    for (size_t i = 0; i < options_.cameras.size(); ++i)
        pending_.push(Reply{now + std::chrono::milliseconds(delay(random_)), i, addr, port});
}

std::string Simulator::handleSetNetwork(uint32_t addr, uint16_t port) {
    SetNetworkRequest request;
    if (!parseSetNetwork(reader_, &request)) return " outcome=short";
    std::lock_guard<std::mutex> guard(camerasLock_);
    for (SimCamera& camera : options_.cameras) {
        const SetOutcome outcome = applySetNetwork(camera, request);
        if (outcome == SetOutcome::NotMine) continue;
        sendResult(outcome == SetOutcome::Applied ? camera.result : camera.authFailResult, addr, port);
        return std::string(" outcome=") + outcomeName(outcome) + " id=" + std::string(fieldText(request.deviceId));
    }
    return " outcome=not-mine";
}

void Simulator::sendDueReplies() {
    const Clock::time_point now = Clock::now();
    while (!pending_.empty() && pending_.top().due <= now) {
        const Reply reply = pending_.top();
        pending_.pop();
        {
            std::lock_guard<std::mutex> guard(camerasLock_);
            buildSearchReply(writer_, options_.cameras[reply.camera]);
        }
        send(writer_, reply.addr, reply.port);
    }
}

void Simulator::sendResult(int32_t code, uint32_t addr, uint16_t port) {
    if (code < 0) return;
    writer_.begin(CMD_RESULT, kDiscoveryMagic);
    writer_.appendU16(static_cast<uint16_t>(code));
    writer_.finalize();
    send(writer_, addr, port);
}

void Simulator::send(const PacketWriter& writer, uint32_t addr, uint16_t port) {
    outgoing_ = wireBytes(writer, options_);
    if (options_.replyBroadcast) {
        parseIpv4(kBroadcastAddress, &addr);
        port = toNetPort(DISCOVERY_PORT);
    }
    sendTo(socket_.get(), outgoing_.data(), outgoing_.size(), addr, port);
}

void Simulator::logLine(const std::string& line) {
    std::lock_guard<std::mutex> guard(logLock_);
    std::fprintf(log_, "%s\n", line.c_str());
    std::fflush(log_);
}

}  // namespace lenscout
