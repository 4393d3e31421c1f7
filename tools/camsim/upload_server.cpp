#include "tools/camsim/upload_server.h"

#include <cerrno>
#include <cstring>
#include <set>

#include "tools/camsim/upload_conversation.h"

namespace lenscout {

UploadServer::UploadServer(const SimOptions& options, std::vector<SimCamera>& cameras, std::mutex& lock, Log log)
    : options_(options), cameras_(cameras), lock_(lock), log_(std::move(log)) {}

UploadServer::~UploadServer() {
    stop_ = true;
    for (std::thread& t : threads_) t.join();
}

bool UploadServer::start(std::string* error) {
    std::set<uint16_t> ports, stalling;
    for (const SimCamera& c : cameras_) {
        ports.insert(c.httpPort);
        if (c.upload == "stall" || c.upload.rfind("trickle-", 0) == 0) stalling.insert(c.httpPort);
    }
    std::vector<std::pair<uint16_t, bool>> wanted;
    for (uint16_t p : ports) wanted.emplace_back(p, false);
    if (options_.sinkPort) wanted.emplace_back(options_.sinkPort, true);
    for (const auto& [port, sink] : wanted) {
        Socket listener = openTcpSocket();
        // A stalling or trickling camera has little room, so that a sender
        // notices soon.
        if (stalling.count(port)) setReceiveBuffer(listener.get(), 4096);
        if (!listener.valid() || !setReuseAddress(listener.get()) || !bindAny(listener.get(), toNetPort(port)) ||
            !listenOn(listener.get(), 4)) {
            *error = "cannot listen on TCP port " + std::to_string(port) + ": " + std::strerror(errno);
            return false;
        }
        const SocketHandle handle = listener.get();
        listeners_.push_back(std::move(listener));
        threads_.emplace_back([this, handle, port = port, sink = sink] { acceptLoop(handle, port, sink); });
    }
    return true;
}

bool UploadServer::cameraOnPort(uint16_t portHost, SimCamera* out) const {
    std::lock_guard<std::mutex> guard(lock_);
    for (const SimCamera& c : cameras_)
        if (c.httpPort == portHost) return *out = c, true;
    return false;
}

// One connection at a time: a camera takes one upload at once.
void UploadServer::acceptLoop(SocketHandle listener, uint16_t portHost, bool sink) {
    while (!stop_) {
        if (waitReadable(listener, 100) != WaitResult::Readable) continue;
        Socket connection = acceptFrom(listener, nullptr, nullptr);
        if (!connection.valid()) continue;
        SimCamera camera;
        if (sink) log_(serveSink(std::move(connection), stop_));
        else if (cameraOnPort(portHost, &camera)) {
            const std::string summary = serveUpload(std::move(connection), camera, options_, stop_);
            if (summary.find(" outcome=received ") != std::string::npos) tookImage(camera.id, summary);
            log_(summary);
        }
    }
}

// A camera that has taken an image reboots: silent for a while, then at
// its next version of that kind.
void UploadServer::tookImage(const std::string& id, const std::string& summary) {
    std::lock_guard<std::mutex> guard(lock_);
    for (SimCamera& c : cameras_) {
        if (c.id != id) continue;
        c.silentUntil = std::chrono::steady_clock::now() + std::chrono::seconds(c.rebootS);
        if (!c.nextVersion) return;
        (summary.find(" kind=13") != std::string::npos ? c.webUiVersion : c.firmwareVersion) = c.nextVersion;
        return;
    }
}

}  // namespace lenscout
