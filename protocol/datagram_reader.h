#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/socket.h"
#include "protocol/packet_header.h"
#include "protocol/status_codes.h"

namespace lenscout {

// Receives one UDP datagram into an area inside the object, checks that it
// is exactly one message, and reads its payload field by field.
class DatagramReader {
public:
    static constexpr int32_t kBufferSize = 102400;

    DatagramReader() = default;
    DatagramReader(const DatagramReader&) = delete;
    DatagramReader& operator=(const DatagramReader&) = delete;

    // An empty datagram is received like any other, and then fails the
    // header check: a zero-byte packet from the network is no socket failure.
    NetStatus receive(SocketHandle s, uint32_t timeoutMs) {
        size_t from = 0;
        return receive(&s, 1, timeoutMs, &from);
    }
    // From whichever of `count` sockets is readable first: `*from` is its
    // index.
    NetStatus receive(const SocketHandle* sockets, size_t count, uint32_t timeoutMs, size_t* from);
    // Takes a datagram that arrived by other means; false when it is larger
    // than the receive area.
    bool load(const void* data, size_t count, Arrival arrival = {});
    // Where the datagram arrived, as far as the system said.
    Arrival arrival() const { return arrival_; }

    bool parseHeader(uint16_t* command, const char* magic) { return checkHeader(command, magic) == HeaderCheck::Ok; }
    // The same check, with the reason a datagram is not one message.
    enum class HeaderCheck { Ok, Short, Magic, Length };
    HeaderCheck checkHeader(uint16_t* command, const char* magic);
    // Whether the header just checked marks the payload as scrambled.
    bool scrambled() const { return buffer_[kScrambledOffset] == 1; }
    bool readU16(uint16_t* out) { return readBytes(out, 2); }
    bool readU32(uint32_t* out) { return readBytes(out, 4); }
    bool readBytes(void* dest, size_t count);

    // The datagram's size after a receive; the payload's after parseHeader.
    int32_t length() const { return length_; }

private:
    const uint8_t* cursor_ = nullptr;
    uint8_t buffer_[kBufferSize] = {};
    int32_t length_ = 0;
    Arrival arrival_;
};

}  // namespace lenscout
