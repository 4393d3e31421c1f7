#include <winsock2.h>

#include "platform/datagram_batch.h"

namespace lenscout {

// Winsock has no call for many datagrams at once: one receive each, for as
// long as one is waiting.
long DatagramBatch::land(SocketHandle s, size_t* sizes, bool* cut, Arrival* arrivals) {
    const SOCKET socket = static_cast<SOCKET>(s);
    long n = 0;
    for (; n < static_cast<long>(kSlots); ++n) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket, &readable);
        timeval now{};
        const int ready = ::select(0, &readable, nullptr, nullptr, &now);
        if (ready < 0) return -1;
        if (ready == 0) break;
        char* slot = reinterpret_cast<char*>(slots_.get() + static_cast<size_t>(n) * kSlotSize);
        // The same reading of a failed receive as the single-datagram path:
        // a reset or net reset is an ICMP message, skipped as an empty datagram.
        const long r = receiveWithArrival(s, slot, kSlotSize, &arrivals[n]);
        if (r < 0) return -1;
        sizes[n] = static_cast<size_t>(r);
        cut[n] = false;
    }
    return n;
}

}  // namespace lenscout
