#include "platform/datagram_batch.h"

#include <cstring>

namespace lenscout {

DatagramBatch::DatagramBatch() : slots_(new uint8_t[kSlots * kSlotSize]) {
    // One system call's worth may pass kMaxBytes: the buffer has room for it
    // and never moves.
    bytes_.reserve(kMaxBytes + kSlots * kSlotSize);
    entries_.reserve(kMaxDatagrams);
}

long DatagramBatch::receiveWaiting(SocketHandle s) {
    bytes_.clear();
    entries_.clear();
    size_t sizes[kSlots];
    bool cut[kSlots];
    Arrival arrivals[kSlots];
    while (room()) {
        const long n = land(s, sizes, cut, arrivals);
        if (n < 0) return -1;
        for (size_t i = 0; i < static_cast<size_t>(n); ++i)
            if (!cut[i]) keep(i, sizes[i], arrivals[i]);
        if (static_cast<size_t>(n) < kSlots) break;
    }
    return static_cast<long>(count());
}

void DatagramBatch::keep(size_t slot, size_t size, Arrival arrival) {
    const size_t offset = bytes_.size();
    bytes_.resize(offset + size);
    if (size) std::memcpy(bytes_.data() + offset, slots_.get() + slot * kSlotSize, size);
    entries_.push_back(Entry{offset, size, arrival});
}

}  // namespace lenscout
