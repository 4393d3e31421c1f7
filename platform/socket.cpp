#include "platform/socket.h"

#include <algorithm>
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
namespace {

template <class T>
T toNetOrder(T host) {
    uint8_t bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<uint8_t>(host >> (8 * (sizeof(T) - 1 - i)));
    T net = 0;
    std::memcpy(&net, bytes, sizeof net);
    return net;
}

template <class T>
T toHostOrder(T net) {
    uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, &net, sizeof bytes);
    T host = 0;
    for (uint8_t b : bytes) host = static_cast<T>(host << 8 | b);
    return host;
}

}  // namespace

uint16_t toNetPort(uint16_t hostPort) { return toNetOrder(hostPort); }
uint16_t toHostPort(uint16_t netPort) { return toHostOrder(netPort); }
uint32_t toNetLong(uint32_t host) { return toNetOrder(host); }
uint32_t toHostLong(uint32_t net) { return toHostOrder(net); }

// One system call for many pieces; a partial send moves the pieces on.
bool sendAllGathered(SocketHandle s, ByteRange* pieces, size_t count, size_t* taken,
                     const std::function<bool(size_t taken)>& onTaken) {
    size_t ignored = 0;
    size_t& total = taken ? *taken : ignored;
    total = 0;
    for (size_t first = 0; first < count;) {
        const long sent = sendGathered(s, pieces + first, count - first);
        if (sent <= 0) return false;
        total += static_cast<size_t>(sent);
        for (size_t left = static_cast<size_t>(sent); left > 0 && first < count;) {
            const size_t take = std::min(left, pieces[first].size);
            pieces[first].data = static_cast<const char*>(pieces[first].data) + take;
            pieces[first].size -= take;
            left -= take;
            if (pieces[first].size == 0) ++first;
        }
        while (first < count && pieces[first].size == 0) ++first;
        if (onTaken && !onTaken(total)) return false;
    }
    return true;
}

}  // namespace lenscout
