#pragma once
// The simulated cameras' side of the upload conversation: one listener per
// HTTP port in use, one connection at a time on each, each image stored in
// the upload directory. An optional sink port takes any bytes and counts
// them, as the reference for plain TCP throughput.
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/socket.h"
#include "tools/camsim/sim_options.h"

namespace lenscout {

class UploadServer {
public:
    using Log = std::function<void(const std::string& line)>;

    // `cameras` stays the simulator's; it is read under `lock`.
    UploadServer(const SimOptions& options, std::vector<SimCamera>& cameras, std::mutex& lock, Log log);
    ~UploadServer();
    UploadServer(const UploadServer&) = delete;
    UploadServer& operator=(const UploadServer&) = delete;

    // Binds every listener; false with a reason when one cannot be had.
    bool start(std::string* error);

private:
    void acceptLoop(SocketHandle listener, uint16_t portHost, bool sink);
    bool cameraOnPort(uint16_t portHost, SimCamera* out) const;
    void tookImage(const std::string& id, const std::string& summary);

    const SimOptions& options_;
    std::vector<SimCamera>& cameras_;
    std::mutex& lock_;
    Log log_;
    std::atomic<bool> stop_{false};
    std::vector<Socket> listeners_;
    std::vector<std::thread> threads_;
};

}  // namespace lenscout
