#pragma once
// A simulated camera taking one upload on 127.0.0.1, behaving as its
// `upload` setting asks.
#include <atomic>
#include <string>
#include <thread>

#include "discovery/camera_info.h"
#include "discovery/camera_text.h"
#include "platform/socket.h"
#include "tools/camsim/upload_conversation.h"

namespace lenscout::test {

class LoopbackCamera {
public:
    // With `uploadDir`, the image it takes is stored there as CAM1-firmware.bin
    // or CAM1-webui.bin.
    explicit LoopbackCamera(const std::string& behaviour, const std::string& uploadDir = "") {
        options_.uploadDir = uploadDir;
        camera_.id = "CAM1";
        camera_.password = "pw";
        camera_.upload = behaviour;
        parseIpv4("127.0.0.1", &loopback_);
        listener_ = openTcpSocket();
        bindTo(listener_.get(), loopback_, 0) && listenOn(listener_.get(), 1);
        thread_ = std::thread([this] {
            if (waitReadable(listener_.get(), 5000) != WaitResult::Readable) return;
            summary_ = serveUpload(acceptFrom(listener_.get(), nullptr, nullptr), camera_, options_, stop_);
        });
    }
    ~LoopbackCamera() {
        stop_ = true;
        thread_.join();
    }
    void describe(CameraInfo* c) const {
        setFieldText(c->deviceId, camera_.id);
        c->ip = loopback_;
        c->httpPort = localPort(listener_.get());
    }
    // Once the camera has seen the connection end.
    const std::string& summary() {
        thread_.join();
        thread_ = std::thread([] {});
        return summary_;
    }

private:
    SimCamera camera_;
    SimOptions options_;
    uint32_t loopback_ = 0;
    Socket listener_;
    std::atomic<bool> stop_{false};
    std::string summary_;
    std::thread thread_;
};

}  // namespace lenscout::test
