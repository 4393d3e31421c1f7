#pragma once
// The simulator's event loop: one UDP socket for all its cameras, replies
// scheduled after each camera's own delay, one log line per message received.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <queue>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/file_handle.h"
#include "platform/socket.h"
#include "tools/camsim/sim_codec.h"
#include "tools/camsim/sim_options.h"
#include "tools/camsim/upload_server.h"

namespace lenscout {

class Simulator {
public:
    explicit Simulator(SimOptions options);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Socket and log; false with a reason when either cannot be had.
    bool open(std::string* error);
    // Serves until the duration has passed or `stop` turns non-zero.
    void run(const volatile int& stop);

private:
    using Clock = std::chrono::steady_clock;
    struct Reply {
        Clock::time_point due;
        size_t camera;
        uint32_t addr;  // network order, like the port
        uint16_t port;
        int32_t result = -1;  // a result code to send instead of a search reply
        uint32_t source = 0;
        // Equal delays keep the cameras in their order.
        bool operator>(const Reply& other) const {
            return due > other.due || (due == other.due && camera > other.camera);
        }
    };

    void receiveOne();
    void handleSearch(uint32_t addr, uint16_t port);
    std::string handleSetNetwork(const sim::Message& m, uint32_t addr, uint16_t port);
    void sendDueReplies();
    void sendResult(int32_t code, uint32_t addr, uint16_t port, uint32_t source = 0);
    void send(uint16_t command, const std::vector<uint8_t>& payload, uint32_t addr, uint16_t port, uint32_t source = 0);
    // The address a camera's datagram leaves from: 0 for the host's own.
    uint32_t sourceFor(uint32_t cameraIp, uint32_t cameraMask);
    int waitBudgetMs(Clock::time_point end) const;
    void logLine(const std::string& line);

    SimOptions options_;
    Socket socket_;
    std::mutex camerasLock_;  // the upload connections read the cameras too
    std::mutex logLock_;
    std::unique_ptr<UploadServer> uploads_;
    FileHandle ownedLog_;
    FILE* log_ = nullptr;  // ownedLog_, or standard error
    Clock::time_point started_;
    std::mt19937_64 random_;
    std::priority_queue<Reply, std::vector<Reply>, std::greater<Reply>> pending_;
    std::vector<uint8_t> received_;
    std::vector<uint8_t> outgoing_;
    std::set<uint32_t> held_, refused_;  // addresses this host took, or could not
};

}  // namespace lenscout
