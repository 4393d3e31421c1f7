#include "protocol/stream_reader.h"

#include <algorithm>
#include <cstring>

#include "protocol/packet_header.h"
#include "protocol/payload.h"

namespace lenscout {
namespace {

NetStatus closedOrError() { return lastSocketError() == SocketError::Other ? NET_ERROR : NET_CLOSED; }

}  // namespace

NetStatus StreamReader::receive(SocketHandle s, uint32_t timeoutMs) {
    switch (waitReadable(s, timeoutMs)) {
    case WaitResult::Timeout: return NET_TIMEOUT;
    // errno after a failed wait may be older than the wait: no reset or
    // abort can be read from it.
    case WaitResult::Failed: return NET_ERROR;
    case WaitResult::Readable: break;
    }
    long n = receiveSome(s, chunk_, sizeof chunk_);
    if (n == 0) return NET_CLOSED;
    if (n < 0) return closedOrError();
    append(chunk_, static_cast<size_t>(n));
    return NET_OK;
}

void StreamReader::append(const void* data, size_t count) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    pending_.insert(pending_.end(), bytes, bytes + count);
}

void StreamReader::dropFront(size_t count) {
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(count));
    pending_.shrink_to_fit();
}

bool StreamReader::parseMessage(uint16_t* command, const char* magic) {
    if (pending_.size() >= 4) {
        // Without a magic, keep the last three bytes: they may be its start.
        auto found = std::search(pending_.begin(), pending_.end(), magic, magic + 4);
        size_t skip = found == pending_.end() ? pending_.size() - 3 : static_cast<size_t>(found - pending_.begin());
        if (skip > 0) dropFront(skip);
    }
    if (pending_.size() < static_cast<size_t>(kHeaderSize)) return false;
    const uint8_t* h = pending_.data();
    const uint32_t length = loadLe32(h + kPayloadLengthOffset);
    if (pending_.size() - kHeaderSize < length) return false;

    *command = loadLe16(h + kCommandOffset);
    payload_.assign(h + kHeaderSize, h + kHeaderSize + length);
    payload_.shrink_to_fit();
    if (length > 0 && h[kScrambledOffset] == 1) descramble(payload_.data(), length, h + kKeyOffset);
    cursor_ = length > 0 ? payload_.data() : nullptr;
    dropFront(kHeaderSize + length);
    return true;
}

bool StreamReader::readBytes(void* dest, size_t count) {
    return readPayload(cursor_, payload_.data() + payload_.size(), dest, count);
}

void StreamReader::release() {
    cursor_ = nullptr;
    std::vector<uint8_t>().swap(payload_);
    std::vector<uint8_t>().swap(pending_);
}

}  // namespace lenscout
