#include <sys/socket.h>

#include <cerrno>

#include "platform/datagram_batch.h"

namespace lenscout {

// One recvmmsg for many datagrams: a burst outruns a system call apiece.
long DatagramBatch::land(SocketHandle s, size_t* sizes, bool* cut) {
    mmsghdr messages[kSlots] = {};
    iovec pieces[kSlots];
    for (size_t i = 0; i < kSlots; ++i) {
        pieces[i] = {slots_.get() + i * kSlotSize, kSlotSize};
        messages[i].msg_hdr.msg_iov = &pieces[i];
        messages[i].msg_hdr.msg_iovlen = 1;
    }
    int n;
    do n = ::recvmmsg(s, messages, kSlots, MSG_DONTWAIT, nullptr);
    while (n < 0 && errno == EINTR);
    if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    for (int i = 0; i < n; ++i) {
        sizes[i] = messages[i].msg_len;
        cut[i] = messages[i].msg_hdr.msg_flags & MSG_TRUNC;
    }
    return n;
}

}  // namespace lenscout
