#pragma once
// Camera records as the worker would hand them over.
#include <cstring>
#include <memory>
#include <string>

#include "discovery/camera_info.h"
#include "discovery/camera_text.h"
#include "platform/socket.h"

namespace lenscout::test {

inline CameraInfo camera(const std::string& id, const std::string& name = "Cam", const char* ip = "192.168.77.5",
                         uint16_t port = 80) {
    CameraInfo c{};
    setFieldText(c.deviceId, id);
    setFieldText(c.name, name);
    parseIpv4(ip, &c.ip);
    parseIpv4("255.255.255.0", &c.mask);
    c.httpPort = toNetPort(port);
    c.firmwareVersion = 0x04030201;
    c.webUiVersion = 0x07010002;
    c.sameSubnet = 1;
    c.seen = 1;
    return c;
}

inline std::unique_ptr<CameraInfo> heap(const CameraInfo& c) { return std::make_unique<CameraInfo>(c); }

}  // namespace lenscout::test
