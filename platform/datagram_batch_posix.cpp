#include <sys/socket.h>

#include <cerrno>

#include "platform/arrival_posix.h"
#include "platform/datagram_batch.h"

namespace lenscout {

// One recvmmsg for many datagrams: a burst outruns a system call apiece.
long DatagramBatch::land(SocketHandle s, size_t* sizes, bool* cut, Arrival* arrivals) {
    mmsghdr messages[kSlots] = {};
    iovec pieces[kSlots];
    sockaddr_in senders[kSlots] = {};
    // Where each arrived, when the socket asks for IP_PKTINFO.
    alignas(cmsghdr) unsigned char control[kSlots][CMSG_SPACE(sizeof(in_pktinfo))];
    for (size_t i = 0; i < kSlots; ++i) {
        pieces[i] = {slots_.get() + i * kSlotSize, kSlotSize};
        messages[i].msg_hdr.msg_name = &senders[i];
        messages[i].msg_hdr.msg_namelen = sizeof senders[i];
        messages[i].msg_hdr.msg_iov = &pieces[i];
        messages[i].msg_hdr.msg_iovlen = 1;
        messages[i].msg_hdr.msg_control = control[i];
        messages[i].msg_hdr.msg_controllen = sizeof control[i];
    }
    int n;
    do n = ::recvmmsg(s, messages, kSlots, MSG_DONTWAIT, nullptr);
    while (n < 0 && errno == EINTR);
    if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    for (int i = 0; i < n; ++i) {
        sizes[i] = messages[i].msg_len;
        cut[i] = messages[i].msg_hdr.msg_flags & MSG_TRUNC;
        arrivals[i] = arrivalOf(messages[i].msg_hdr);
    }
    return n;
}

}  // namespace lenscout
