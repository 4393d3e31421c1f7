#include "platform/socket.h"

#include <cstring>

namespace lenscout {

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
}

SocketHandle Socket::release() {
    SocketHandle h = handle_;
    handle_ = kInvalidSocket;
    return h;
}

// Network byte order is big-endian whatever the machine's: the bytes are
// laid out by hand.
uint16_t toNetPort(uint16_t hostPort) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(hostPort >> 8), static_cast<uint8_t>(hostPort)};
    uint16_t net = 0;
    std::memcpy(&net, bytes, sizeof net);
    return net;
}

uint16_t toHostPort(uint16_t netPort) {
    uint8_t bytes[2];
    std::memcpy(bytes, &netPort, sizeof bytes);
    return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
}

uint32_t toNetLong(uint32_t host) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(host >> 24), static_cast<uint8_t>(host >> 16),
                              static_cast<uint8_t>(host >> 8), static_cast<uint8_t>(host)};
    uint32_t net = 0;
    std::memcpy(&net, bytes, sizeof net);
    return net;
}

uint32_t toHostLong(uint32_t net) {
    uint8_t bytes[4];
    std::memcpy(bytes, &net, sizeof bytes);
    return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
           static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
}

}  // namespace lenscout
