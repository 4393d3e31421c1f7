#include "protocol/datagram_reader.h"

#include <cstring>

#include "protocol/packet_header.h"
#include "protocol/payload.h"

namespace lenscout {

NetStatus DatagramReader::receive(const SocketHandle* sockets, size_t count, uint32_t timeoutMs, size_t* from) {
    switch (waitAnyReadable(sockets, count, timeoutMs, from)) {
    case WaitResult::Timeout: return NET_TIMEOUT;
    case WaitResult::Failed: return NET_ERROR;
    case WaitResult::Readable: break;
    }
    long n = receiveWithArrival(sockets[*from], buffer_, sizeof buffer_, &arrival_);
    if (n < 0) return NET_ERROR;
    length_ = static_cast<int32_t>(n);
    cursor_ = nullptr;
    return NET_OK;
}

bool DatagramReader::load(const void* data, size_t count, Arrival arrival) {
    if (count > sizeof buffer_) return false;
    arrival_ = arrival;
    if (count > 0) std::memcpy(buffer_, data, count);
    length_ = static_cast<int32_t>(count);
    cursor_ = nullptr;
    return true;
}

DatagramReader::HeaderCheck DatagramReader::checkHeader(uint16_t* command, const char* magic) {
    if (cursor_ != nullptr || length_ < kHeaderSize) return HeaderCheck::Short;
    if (std::memcmp(buffer_ + kMagicOffset, magic, 4) != 0) return HeaderCheck::Magic;
    *command = loadLe16(buffer_ + kCommandOffset);
    const uint32_t payloadLength = loadLe32(buffer_ + kPayloadLengthOffset);
    // In 64 bits, so that a huge announced length cannot wrap onto the real size.
    if (uint64_t{kHeaderSize} + payloadLength != static_cast<uint64_t>(length_)) return HeaderCheck::Length;
    cursor_ = buffer_ + kHeaderSize;
    length_ = static_cast<int32_t>(payloadLength);
    if (payloadLength != 0 && buffer_[kScrambledOffset] == 1)
        descramble(buffer_ + kHeaderSize, payloadLength, buffer_ + kKeyOffset);
    return HeaderCheck::Ok;
}

bool DatagramReader::readBytes(void* dest, size_t count) {
    return readPayload(cursor_, buffer_ + kHeaderSize + length_, dest, count);
}

}  // namespace lenscout
