#include "protocol/packet_writer.h"

#include <cstring>
#include <limits>
#include <new>

#include "platform/secrets.h"
#include "protocol/packet_header.h"
#include "protocol/payload.h"

namespace lenscout {

bool PacketWriter::begin(uint16_t command, const char* magic) {
    release();
    buffer_.reset(new (std::nothrow) uint8_t[kGrowthStep]);
    if (!buffer_) return false;
    uint8_t* b = buffer_.get();
    std::memcpy(b + kMagicOffset, magic, 4);
    storeLe16(b + kCommandOffset, command);
    std::memset(b + kScrambledOffset, 0, kHeaderSize - kScrambledOffset);
    capacity_ = kGrowthStep;
    length_ = kHeaderSize;
    cursor_ = b + kHeaderSize;
    return true;
}

bool PacketWriter::appendBytes(const void* data, size_t count) {
    if (count == 0) return true;
    if (data == nullptr || !buffer_) return false;
    if (count > static_cast<size_t>(std::numeric_limits<int32_t>::max() - kGrowthStep - length_)) return false;
    const int32_t needed = length_ + static_cast<int32_t>(count);
    if (needed > capacity_) {
        const int32_t steps = (needed - capacity_ + kGrowthStep - 1) / kGrowthStep;
        const int32_t grown = capacity_ + steps * kGrowthStep;
        std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[grown]);
        if (!block) return false;
        std::memcpy(block.get(), buffer_.get(), length_);
        buffer_ = std::move(block);
        cursor_ = buffer_.get() + length_;
        capacity_ = grown;
    }
    std::memcpy(cursor_, data, count);
    cursor_ += count;
    length_ = needed;
    storeLe32(buffer_.get() + kAppendedLengthOffset, static_cast<uint32_t>(length_ - kHeaderSize));
    return true;
}

bool PacketWriter::finalize() {
    if (buffer_) std::memcpy(buffer_.get() + kPayloadLengthOffset, buffer_.get() + kAppendedLengthOffset, 4);
    return true;
}

NetStatus PacketWriter::sendStream(SocketHandle s) const {
    const uint8_t* next = buffer_.get();
    size_t left = static_cast<size_t>(length_);
    while (left > 0) {
        long sent = sendSome(s, next, left);
        if (sent < 0) return NET_ERROR;
        next += sent;
        left -= static_cast<size_t>(sent);
    }
    return NET_OK;
}

NetStatus PacketWriter::sendDatagram(SocketHandle s, uint32_t addrNet, uint16_t portNet) const {
    if (!buffer_) return NET_ERROR;
    long sent = sendDatagramTo(s, buffer_.get(), static_cast<size_t>(length_), addrNet, portNet);
    return sent == length_ ? NET_OK : NET_ERROR;
}

void PacketWriter::release() {
    buffer_.reset();
    cursor_ = nullptr;
    length_ = 0;
    capacity_ = 0;
}

void PacketWriter::wipe() {
    if (buffer_) lenscout::wipe(buffer_.get(), static_cast<size_t>(capacity_));
}

}  // namespace lenscout
