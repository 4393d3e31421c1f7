#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/socket.h"
#include "protocol/status_codes.h"

namespace lenscout {

// Builds one outgoing message: begin, the appends in payload order,
// finalize, then any number of sends. The buffer grows in 100-byte steps.
class PacketWriter {
public:
    static constexpr int32_t kGrowthStep = 100;

    PacketWriter() = default;
    PacketWriter(const PacketWriter&) = delete;
    PacketWriter& operator=(const PacketWriter&) = delete;

    bool begin(uint16_t command, const char* magic);
    bool appendU8(uint8_t value) { return appendBytes(&value, 1); }
    // The fixed-size appends copy the value as it lies in memory.
    bool appendU16(uint16_t value) { return appendBytes(&value, 2); }
    bool appendU32(uint32_t value) { return appendBytes(&value, 4); }
    bool appendBytes(const void* data, size_t count);
    bool finalize();

    NetStatus sendStream(SocketHandle s) const;
    NetStatus sendDatagram(SocketHandle s, uint32_t addrNet, uint16_t portNet) const;

    void release();
    // Zeros the whole buffer, for a message that carried a password.
    void wipe();

    const uint8_t* data() const { return buffer_.get(); }
    int32_t length() const { return length_; }
    int32_t capacity() const { return capacity_; }

private:
    std::unique_ptr<uint8_t[]> buffer_;
    uint8_t* cursor_ = nullptr;
    int32_t length_ = 0;
    int32_t capacity_ = 0;
};

}  // namespace lenscout
