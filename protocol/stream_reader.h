#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/socket.h"
#include "protocol/status_codes.h"

namespace lenscout {

// Receives TCP data chunk by chunk, finds a message by its magic, cuts it
// out whole and reads its payload field by field. Bytes after a message
// stay pending for the next parse.
class StreamReader {
public:
    static constexpr size_t kChunkSize = 1024;

    StreamReader() = default;
    StreamReader(const StreamReader&) = delete;
    StreamReader& operator=(const StreamReader&) = delete;

    NetStatus receive(SocketHandle s, uint32_t timeoutMs);
    // Adds bytes that arrived by other means, as one receive would.
    void append(const void* data, size_t count);

    bool parseMessage(uint16_t* command, const char* magic);
    bool readU16(uint16_t* out) { return readBytes(out, 2); }
    bool readU32(uint32_t* out) { return readBytes(out, 4); }
    bool readBytes(void* dest, size_t count);

    void release();

    size_t pendingLength() const { return pending_.size(); }
    size_t payloadLength() const { return payload_.size(); }

private:
    void dropFront(size_t count);

    const uint8_t* cursor_ = nullptr;
    std::vector<uint8_t> payload_;
    std::vector<uint8_t> pending_;
    uint8_t chunk_[kChunkSize] = {};
};

}  // namespace lenscout
