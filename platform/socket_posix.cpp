#include "platform/socket.h"

#include "platform/arrival_posix.h"

#include <fcntl.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>

#include <algorithm>
#include <vector>

#include "platform/socket_address.h"

namespace lenscout {
namespace {

Socket openSocket(int type) { return Socket(::socket(AF_INET, type | SOCK_CLOEXEC, 0)); }

bool setIntOption(SocketHandle s, int level, int name, int value) {
    return ::setsockopt(s, level, name, &value, sizeof value) == 0;
}

}  // namespace

void Socket::reset(SocketHandle handle) {
    if (handle_ != kInvalidSocket) ::close(handle_);
    handle_ = handle;
}

Socket openUdpSocket() { return openSocket(SOCK_DGRAM); }
Socket openTcpSocket() { return openSocket(SOCK_STREAM); }

bool enableBroadcast(SocketHandle s) { return setIntOption(s, SOL_SOCKET, SO_BROADCAST, 1); }
bool setReuseAddress(SocketHandle s) { return setIntOption(s, SOL_SOCKET, SO_REUSEADDR, 1); }
bool setReceiveBuffer(SocketHandle s, int bytes) { return setIntOption(s, SOL_SOCKET, SO_RCVBUF, bytes); }

bool bindAny(SocketHandle s, uint16_t portNet) { return bindTo(s, htonl(INADDR_ANY), portNet); }

bool bindTo(SocketHandle s, uint32_t addrNet, uint16_t portNet) {
    sockaddr_in a = makeAddress(addrNet, portNet);
    return ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
}

uint16_t localPort(SocketHandle s) {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    if (::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) != 0) return 0;
    return a.sin_port;
}

bool connectTo(SocketHandle s, uint32_t addrNet, uint16_t portNet) {
    sockaddr_in a = makeAddress(addrNet, portNet);
    int r;
    do r = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    while (r != 0 && errno == EINTR);
    return r == 0;
}

bool connectWithin(SocketHandle s, uint32_t addrNet, uint16_t portNet, uint32_t timeoutMs) {
    const int flags = ::fcntl(s, F_GETFL);
    if (flags < 0 || ::fcntl(s, F_SETFL, flags | O_NONBLOCK) != 0) return false;
    sockaddr_in a = makeAddress(addrNet, portNet);
    int r;
    do r = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    while (r != 0 && errno == EINTR);
    bool connected = r == 0;
    if (!connected && errno == EINPROGRESS) {
        pollfd p{s, POLLOUT, 0};
        int ready;
        do ready = ::poll(&p, 1, static_cast<int>(timeoutMs > INT_MAX ? INT_MAX : timeoutMs));
        while (ready < 0 && errno == EINTR);
        int error = 0;
        socklen_t len = sizeof error;
        connected = ready > 0 && ::getsockopt(s, SOL_SOCKET, SO_ERROR, &error, &len) == 0 && error == 0;
    }
    ::fcntl(s, F_SETFL, flags);
    return connected;
}

bool setSendTimeout(SocketHandle s, uint32_t timeoutMs) {
    timeval t{static_cast<time_t>(timeoutMs / 1000), static_cast<suseconds_t>((timeoutMs % 1000) * 1000)};
    return ::setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &t, sizeof t) == 0;
}

bool resetOnClose(SocketHandle s) {
    linger hard = {1, 0};
    return ::setsockopt(s, SOL_SOCKET, SO_LINGER, &hard, sizeof hard) == 0;
}

bool listenOn(SocketHandle s, int backlog) { return ::listen(s, backlog) == 0; }

Socket acceptFrom(SocketHandle s, uint32_t* addrNet, uint16_t* portNet) {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    Socket peer(::accept4(s, reinterpret_cast<sockaddr*>(&a), &len, SOCK_CLOEXEC));
    if (peer.valid()) readAddress(a, addrNet, portNet);
    return peer;
}

// poll rather than select: the same readiness wait, without the limit on
// descriptor numbers that FD_SET silently overruns.
WaitResult waitAnyReadable(const SocketHandle* sockets, size_t count, uint32_t timeoutMs, size_t* ready) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    // On the stack: every receive of the worker and of an upload waits here.
    if (count > kMaxWaitedSockets) return WaitResult::Failed;
    pollfd polled[kMaxWaitedSockets];
    for (size_t i = 0; i < count; ++i) polled[i] = pollfd{sockets[i], POLLIN, 0};
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left < 0) left = 0;
        int r = ::poll(polled, count, static_cast<int>(left > INT_MAX ? INT_MAX : left));
        if (r == 0) return WaitResult::Timeout;
        if (r < 0 && errno != EINTR) return WaitResult::Failed;
        for (size_t i = 0; r > 0 && i < count; ++i) {
            if (polled[i].revents & POLLNVAL) return WaitResult::Failed;
            if (polled[i].revents) return *ready = i, WaitResult::Readable;
        }
    }
}

bool shutdownSending(SocketHandle s) { return ::shutdown(s, SHUT_WR) == 0; }

void breakOff(SocketHandle s) { ::shutdown(s, SHUT_RDWR); }

bool waitPeerGone(SocketHandle s, uint32_t timeoutMs) {
    pollfd p{s, POLLRDHUP, 0};
    int r;
    do r = ::poll(&p, 1, static_cast<int>(timeoutMs > INT_MAX ? INT_MAX : timeoutMs));
    while (r < 0 && errno == EINTR);
    return r > 0;
}

long sendSome(SocketHandle s, const void* data, size_t count) {
    ssize_t r;
    do r = ::send(s, data, count, MSG_NOSIGNAL);
    while (r < 0 && errno == EINTR);
    return static_cast<long>(r);
}

long sendGathered(SocketHandle s, const ByteRange* pieces, size_t count) {
    std::vector<iovec> v(std::min<size_t>(count, IOV_MAX));
    for (size_t i = 0; i < v.size(); ++i) v[i] = {const_cast<void*>(pieces[i].data), pieces[i].size};
    msghdr m{};
    m.msg_iov = v.data();
    m.msg_iovlen = v.size();
    ssize_t sent;
    do sent = ::sendmsg(s, &m, MSG_NOSIGNAL);
    while (sent < 0 && errno == EINTR);
    return static_cast<long>(sent);
}

long sendDatagramTo(SocketHandle s, const void* data, size_t count, uint32_t addrNet, uint16_t portNet) {
    sockaddr_in a = makeAddress(addrNet, portNet);
    ssize_t r;
    do r = ::sendto(s, data, count, MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&a), sizeof a);
    while (r < 0 && errno == EINTR);
    return static_cast<long>(r);
}

namespace {

bool linkMissing(int error) {
    switch (error) {
    case ENETUNREACH:
    case EHOSTUNREACH:
    case ENETDOWN:
    case EADDRNOTAVAIL:
    case ENODEV:
    case ENXIO:
    case ENOBUFS:
    case EPERM:  // a packet filter's verdict on this route
        return true;
    default: return false;
    }
}

}  // namespace

namespace {

// One datagram's message: its address and its one piece of data, with room
// for IP_PKTINFO.
struct OneDatagram {
    sockaddr_in address{};
    iovec piece{};
    alignas(cmsghdr) unsigned char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    msghdr m{};

    OneDatagram(void* data, size_t count, const sockaddr_in& to) : address(to), piece{data, count} {
        m.msg_name = &address;
        m.msg_namelen = sizeof address;
        m.msg_iov = &piece;
        m.msg_iovlen = 1;
    }
    OneDatagram(const OneDatagram&) = delete;  // the message points into itself
    OneDatagram& operator=(const OneDatagram&) = delete;
    void withControl() {
        m.msg_control = control;
        m.msg_controllen = sizeof control;
    }
};

}  // namespace

// IP_PKTINFO picks the outgoing interface and the source address per
// datagram, so that one socket bound to the discovery port can broadcast
// on every link, with or without a route for 255.255.255.255.
SendResult sendDatagramVia(SocketHandle s, const void* data, size_t count, uint32_t addrNet, uint16_t portNet,
                           uint32_t viaIndex, uint32_t sourceNet) {
    OneDatagram d(const_cast<void*>(data), count, makeAddress(addrNet, portNet));
    if (viaIndex != 0 || sourceNet != 0) {
        d.withControl();
        cmsghdr* c = CMSG_FIRSTHDR(&d.m);
        c->cmsg_level = IPPROTO_IP;
        c->cmsg_type = IP_PKTINFO;
        c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
        in_pktinfo info{};
        info.ipi_ifindex = static_cast<int>(viaIndex);
        info.ipi_spec_dst.s_addr = sourceNet;
        std::memcpy(CMSG_DATA(c), &info, sizeof info);
    }
    ssize_t sent;
    do sent = ::sendmsg(s, &d.m, MSG_NOSIGNAL);
    while (sent < 0 && errno == EINTR);
    if (sent == static_cast<ssize_t>(count)) return SendResult::Sent;
    return sent < 0 && linkMissing(errno) ? SendResult::LinkMissing : SendResult::Failed;
}

bool enableArrivalInfo(SocketHandle s) { return setIntOption(s, IPPROTO_IP, IP_PKTINFO, 1); }

long receiveWithArrival(SocketHandle s, void* data, size_t capacity, Arrival* arrival) {
    OneDatagram d(data, capacity, sockaddr_in{});
    d.withControl();
    ssize_t r;
    do r = ::recvmsg(s, &d.m, 0);
    while (r < 0 && errno == EINTR);
    *arrival = r >= 0 ? arrivalOf(d.m) : Arrival{};
    return static_cast<long>(r);
}

long receiveSome(SocketHandle s, void* data, size_t capacity) {
    ssize_t r;
    do r = ::recv(s, data, capacity, 0);
    while (r < 0 && errno == EINTR);
    return static_cast<long>(r);
}

long receiveFrom(SocketHandle s, void* data, size_t capacity, uint32_t* addrNet, uint16_t* portNet) {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    ssize_t r;
    do r = ::recvfrom(s, data, capacity, 0, reinterpret_cast<sockaddr*>(&a), &len);
    while (r < 0 && errno == EINTR);
    if (r >= 0) readAddress(a, addrNet, portNet);
    return static_cast<long>(r);
}

SocketError lastSocketError() {
    switch (errno) {
    case ECONNABORTED: return SocketError::Aborted;
    case ECONNRESET:
    case EPIPE: return SocketError::Reset;
    default: return SocketError::Other;
    }
}

bool parseIpv4(const char* text, uint32_t* addrNet) {
    in_addr a{};
    if (text == nullptr || ::inet_pton(AF_INET, text, &a) != 1) return false;
    *addrNet = a.s_addr;
    return true;
}

// Nothing to initialise here; what start-up needs to know is whether the
// process may open a socket at all.
bool startSocketLayer() { return openUdpSocket().valid(); }

}  // namespace lenscout
