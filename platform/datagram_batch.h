#pragma once
// Datagrams taken off a socket all at once, so that a burst leaves the
// system's receive buffer faster than it arrives, and waits here to be
// handled one by one.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/socket.h"

namespace lenscout {

class DatagramBatch {
public:
    static constexpr size_t kMaxDatagrams = 1024;
    static constexpr size_t kMaxBytes = 1024 * 1024;
    // Far above any discovery message; a longer datagram is dropped as cut.
    static constexpr size_t kSlotSize = 4096;
    static constexpr size_t kSlots = 64;  // taken by one system call

    DatagramBatch();
    DatagramBatch(const DatagramBatch&) = delete;
    DatagramBatch& operator=(const DatagramBatch&) = delete;

    // Takes every datagram that is already waiting, up to the limits, without
    // waiting for more: how many are held now, or -1 when the socket failed.
    long receiveWaiting(SocketHandle s);

    size_t count() const { return entries_.size(); }
    const uint8_t* data(size_t i) const { return bytes_.data() + entries_[i].offset; }
    size_t size(size_t i) const { return entries_[i].size; }

private:
    struct Entry {
        size_t offset, size;
    };
    // One system call's worth into the landing slots: how many, 0 when none
    // is waiting, -1 on failure. Platform code.
    long land(SocketHandle s, size_t* sizes, bool* cut);
    bool room() const { return count() + kSlots <= kMaxDatagrams && bytes_.size() + kSlots * kSlotSize <= kMaxBytes; }
    void keep(size_t slot, size_t size);

    std::unique_ptr<uint8_t[]> slots_;
    std::vector<uint8_t> bytes_;
    std::vector<Entry> entries_;
};

}  // namespace lenscout
