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
    // Any UDP datagram over IPv4 (at most 65507 bytes) lands whole, as on the
    // single-datagram path: a long reply is never lost for coming second.
    // The landing area is address space; only the bytes that arrive touch it.
    static constexpr size_t kSlotSize = 65536;
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
    Arrival arrival(size_t i) const { return entries_[i].arrival; }

private:
    struct Entry {
        size_t offset, size;
        Arrival arrival;
    };
    // One system call's worth into the landing slots: how many, 0 when none
    // is waiting, -1 on failure. Platform code.
    long land(SocketHandle s, size_t* sizes, bool* cut, Arrival* arrivals);
    // kMaxBytes is checked before each call, so one call's worth may pass it.
    bool room() const { return count() + kSlots <= kMaxDatagrams && bytes_.size() < kMaxBytes; }
    void keep(size_t slot, size_t size, Arrival arrival);

    std::unique_ptr<uint8_t[]> slots_;
    std::vector<uint8_t> bytes_;
    std::vector<Entry> entries_;
};

}  // namespace lenscout
