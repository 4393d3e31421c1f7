#include "platform/socket.h"

#include <winsock2.h>

// These build on winsock2.h.
#include <mstcpip.h>
#include <mswsock.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>
#include <vector>

#include "platform/socket_address.h"

namespace lenscout {
namespace {

// SIO_UDP_NETRESET, which MinGW-w64's headers do not name.
constexpr DWORD kUdpNetReset = _WSAIOW(IOC_VENDOR, 15);

SOCKET raw(SocketHandle s) { return static_cast<SOCKET>(s); }

bool setIntOption(SocketHandle s, int level, int name, int value) {
    return ::setsockopt(raw(s), level, name, reinterpret_cast<const char*>(&value), sizeof value) == 0;
}

int clampedLength(size_t count) { return static_cast<int>(std::min<size_t>(count, INT_MAX)); }

bool isDatagramSocket(SocketHandle s) {
    int type = 0;
    int len = sizeof type;
    return ::getsockopt(raw(s), SOL_SOCKET, SO_TYPE, reinterpret_cast<char*>(&type), &len) == 0 && type == SOCK_DGRAM;
}

// A datagram that does not fit still arrives, cut, as it does on POSIX. On
// a datagram socket a reset or net reset reports an ICMP message about an
// earlier send, which anyone on the network can forge: that receive reads
// as an empty datagram, skipped, and never ends the socket's user.
long receiveResult(SocketHandle s, int r, size_t capacity) {
    if (r != SOCKET_ERROR) return r;
    const int error = ::WSAGetLastError();
    if (error == WSAEMSGSIZE) return static_cast<long>(capacity);
    if ((error == WSAECONNRESET || error == WSAENETRESET) && isDatagramSocket(s)) return 0;
    return r;
}

// Overlapped, because Winsock applies SO_SNDTIMEO and SO_RCVTIMEO only to
// such sockets; the calls made on it stay blocking ones. Windows before 7
// SP1 refuses WSA_FLAG_NO_HANDLE_INHERIT: the handle is then made private
// by hand.
SOCKET createSocket(int type, int protocol) {
    SOCKET s = ::WSASocketW(AF_INET, type, protocol, nullptr, 0, WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
    if (s == INVALID_SOCKET && ::WSAGetLastError() == WSAEINVAL) {
        s = ::WSASocketW(AF_INET, type, protocol, nullptr, 0, WSA_FLAG_OVERLAPPED);
        if (s != INVALID_SOCKET) ::SetHandleInformation(reinterpret_cast<HANDLE>(s), HANDLE_FLAG_INHERIT, 0);
    }
    return s;
}

// Without these an ICMP "port unreachable" or "time exceeded" for an earlier
// send fails the next receive, which would end the worker.
void ignoreIcmpErrors(SocketHandle s) {
    for (const DWORD control : {static_cast<DWORD>(SIO_UDP_CONNRESET), static_cast<DWORD>(kUdpNetReset)}) {
        BOOL report = FALSE;
        DWORD ignored = 0;
        ::WSAIoctl(raw(s), control, &report, sizeof report, nullptr, 0, &ignored, nullptr, nullptr);
    }
}

Socket openSocket(int type, int protocol) {
    Socket s(static_cast<SocketHandle>(createSocket(type, protocol)));
    if (s.valid() && type == SOCK_DGRAM) ignoreIcmpErrors(s.get());
    return s;
}

timeval timeoutOf(uint32_t ms) {
    timeval t{};
    t.tv_sec = static_cast<long>(ms / 1000);
    t.tv_usec = static_cast<long>((ms % 1000) * 1000);
    return t;
}

}  // namespace

void Socket::reset(SocketHandle handle) {
    if (handle_ != kInvalidSocket) ::closesocket(raw(handle_));
    handle_ = handle;
}

Socket openUdpSocket() { return openSocket(SOCK_DGRAM, IPPROTO_UDP); }
Socket openTcpSocket() { return openSocket(SOCK_STREAM, IPPROTO_TCP); }

bool enableBroadcast(SocketHandle s) { return setIntOption(s, SOL_SOCKET, SO_BROADCAST, 1); }
bool setReuseAddress(SocketHandle s) { return setIntOption(s, SOL_SOCKET, SO_REUSEADDR, 1); }
bool setReceiveBuffer(SocketHandle s, int bytes) { return setIntOption(s, SOL_SOCKET, SO_RCVBUF, bytes); }

bool bindAny(SocketHandle s, uint16_t portNet) { return bindTo(s, htonl(INADDR_ANY), portNet); }

namespace {

bool plainBind(SocketHandle s, uint32_t addrNet, uint16_t portNet) {
    sockaddr_in a = makeAddress(addrNet, portNet);
    return ::bind(raw(s), reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
}

}  // namespace

namespace {

// Windows sends a datagram out of the interface and from the address that
// IN_PKTINFO names. Wine sends a broadcast by the routes whatever it names,
// so there the per-link sends go through short-lived sockets bound to each
// address instead.
bool pktinfoSendIgnored() {
    static const bool wine = [] {
        HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

}  // namespace

// A UDP socket on a fixed port is its program's alone: no other account's
// program may bind beside it. Only where the per-link senders must share it
// (see pktinfoSendIgnored) does it take SO_REUSEADDR; a port that another
// socket holds is still refused there, by a first bind without it, so that
// a second program falls back as it does on POSIX.
bool bindTo(SocketHandle s, uint32_t addrNet, uint16_t portNet) {
    if (!isDatagramSocket(s)) return plainBind(s, addrNet, portNet);
    if (!pktinfoSendIgnored())
        return setIntOption(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, 1) && plainBind(s, addrNet, portNet);
    if (portNet != 0) {
        Socket probe = openUdpSocket();
        if (!probe.valid() || !plainBind(probe.get(), addrNet, portNet)) return false;
    }
    return setReuseAddress(s) && plainBind(s, addrNet, portNet);
}

uint16_t localPort(SocketHandle s) {
    sockaddr_in a{};
    int len = sizeof a;
    if (::getsockname(raw(s), reinterpret_cast<sockaddr*>(&a), &len) != 0) return 0;
    return a.sin_port;
}

bool connectTo(SocketHandle s, uint32_t addrNet, uint16_t portNet) {
    sockaddr_in a = makeAddress(addrNet, portNet);
    return ::connect(raw(s), reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
}

// select rather than WSAPoll: WSAPoll does not report a connect that failed
// on every Windows version. The set holds one socket, so FD_SETSIZE is no
// limit here.
bool connectWithin(SocketHandle s, uint32_t addrNet, uint16_t portNet, uint32_t timeoutMs) {
    u_long nonBlocking = 1;
    if (::ioctlsocket(raw(s), FIONBIO, &nonBlocking) != 0) return false;
    sockaddr_in a = makeAddress(addrNet, portNet);
    bool connected = ::connect(raw(s), reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    if (!connected && ::WSAGetLastError() == WSAEWOULDBLOCK) {
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(raw(s), &writable);
        FD_SET(raw(s), &failed);
        timeval t = timeoutOf(timeoutMs);
        int error = 0;
        int len = sizeof error;
        connected = ::select(0, nullptr, &writable, &failed, &t) > 0 && FD_ISSET(raw(s), &writable) &&
                    ::getsockopt(raw(s), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &len) == 0 &&
                    error == 0;
    }
    u_long blocking = 0;
    ::ioctlsocket(raw(s), FIONBIO, &blocking);
    return connected;
}

bool setSendTimeout(SocketHandle s, uint32_t timeoutMs) {
    const DWORD ms = timeoutMs;
    return ::setsockopt(raw(s), SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&ms), sizeof ms) == 0;
}

bool resetOnClose(SocketHandle s) {
    linger hard{};
    hard.l_onoff = 1;
    hard.l_linger = 0;
    return ::setsockopt(raw(s), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof hard) == 0;
}

bool listenOn(SocketHandle s, int backlog) { return ::listen(raw(s), backlog) == 0; }

Socket acceptFrom(SocketHandle s, uint32_t* addrNet, uint16_t* portNet) {
    sockaddr_in a{};
    int len = sizeof a;
    Socket peer(static_cast<SocketHandle>(::accept(raw(s), reinterpret_cast<sockaddr*>(&a), &len)));
    if (peer.valid()) readAddress(a, addrNet, portNet);
    return peer;
}

// A Winsock fd_set is a list of up to FD_SETSIZE sockets, not a bit mask.
WaitResult waitAnyReadable(const SocketHandle* sockets, size_t count, uint32_t timeoutMs, size_t* ready) {
    static_assert(kMaxWaitedSockets <= FD_SETSIZE, "every waited socket fits an fd_set");
    if (count > kMaxWaitedSockets) return WaitResult::Failed;
    fd_set readable;
    FD_ZERO(&readable);
    for (size_t i = 0; i < count; ++i) FD_SET(raw(sockets[i]), &readable);
    timeval t = timeoutOf(timeoutMs);
    const int r = ::select(0, &readable, nullptr, nullptr, &t);
    if (r == 0) return WaitResult::Timeout;
    for (size_t i = 0; r > 0 && i < count; ++i)
        if (FD_ISSET(raw(sockets[i]), &readable)) return *ready = i, WaitResult::Readable;
    return WaitResult::Failed;
}

// Windows has no "peer hung up" readiness apart from data: a peek that
// finds the end of the stream or a reset, waited for in short slices.
bool shutdownSending(SocketHandle s) { return ::shutdown(s, SD_SEND) == 0; }

// A shutdown alone leaves a send that another thread is blocked in waiting
// for its timeout: the send is cancelled as the I/O it is underneath.
void breakOff(SocketHandle s) {
    ::shutdown(s, SD_BOTH);
    CancelIoEx(reinterpret_cast<HANDLE>(s), nullptr);
}

bool waitPeerGone(SocketHandle s, uint32_t timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    char byte = 0;
    do {
        if (waitReadable(s, 20) == WaitResult::Readable) {
            const int r = ::recv(raw(s), &byte, 1, MSG_PEEK);
            if (r <= 0) return true;
        }
    } while (Clock::now() < deadline);
    return false;
}

long sendSome(SocketHandle s, const void* data, size_t count) {
    return ::send(raw(s), static_cast<const char*>(data), clampedLength(count), 0);
}

long sendGathered(SocketHandle s, const ByteRange* pieces, size_t count) {
    std::vector<WSABUF> v(count);
    for (size_t i = 0; i < count; ++i) {
        v[i].buf = static_cast<char*>(const_cast<void*>(pieces[i].data));
        v[i].len = static_cast<ULONG>(pieces[i].size);
    }
    DWORD sent = 0;
    if (::WSASend(raw(s), v.data(), static_cast<DWORD>(count), &sent, 0, nullptr, nullptr) != 0) return -1;
    return static_cast<long>(sent);
}

long sendDatagramTo(SocketHandle s, const void* data, size_t count, uint32_t addrNet, uint16_t portNet) {
    sockaddr_in a = makeAddress(addrNet, portNet);
    return ::sendto(raw(s), static_cast<const char*>(data), clampedLength(count), 0, reinterpret_cast<sockaddr*>(&a),
                    sizeof a);
}

namespace {

bool linkMissing(int error) {
    switch (error) {
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH:
    case WSAENETDOWN:
    case WSAEADDRNOTAVAIL:
    case WSAENOBUFS: return true;
    default: return false;
    }
}

}  // namespace

namespace {

SendResult sendResultOf(bool sent) {
    if (sent) return SendResult::Sent;
    return linkMissing(::WSAGetLastError()) ? SendResult::LinkMissing : SendResult::Failed;
}

bool broadcastEnabled(SocketHandle s) {
    BOOL on = FALSE;
    int len = sizeof on;
    return ::getsockopt(raw(s), SOL_SOCKET, SO_BROADCAST, reinterpret_cast<char*>(&on), &len) == 0 && on;
}

// A socket bound to an interface's address sends through that interface,
// with that address as source, whatever the routes say. It shares the
// port of `s`, so that the answers come back to `s`; connected to the
// destination, it takes none of them itself.
// A reply that reached the short-lived socket between its bind and its
// connect (being bound to one address, it is the likelier receiver) is
// passed on to `s` over loopback, so that no answer is lost to it.
void handOverStrays(SocketHandle via, SocketHandle s, uint16_t port) {
    static thread_local std::vector<char> stray(65536);
    uint32_t loopback = 0;
    parseIpv4("127.0.0.1", &loopback);
    while (waitReadable(via, 0) == WaitResult::Readable) {
        const long n = receiveSome(via, stray.data(), stray.size());
        if (n <= 0) break;
        sendDatagramTo(s, stray.data(), static_cast<size_t>(n), loopback, port);
    }
}

SendResult sendThroughAddress(SocketHandle s, const void* data, size_t count, const sockaddr_in& to,
                              uint32_t sourceNet) {
    const uint16_t port = localPort(s);
    if (port == 0 || !broadcastEnabled(s)) return SendResult::Failed;
    // No socket to be had for one link skips that link, as a missing link
    // does on POSIX: the worker's own socket is sound.
    Socket via = openUdpSocket();
    if (!via.valid()) return SendResult::LinkMissing;
    if (!enableBroadcast(via.get()) || !setReuseAddress(via.get()) || !plainBind(via.get(), sourceNet, port) ||
        ::connect(raw(via.get()), reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0)
        return SendResult::LinkMissing;  // the address or its link has gone; the worker's socket is sound
    const int sent = ::send(raw(via.get()), static_cast<const char*>(data), clampedLength(count), 0);
    const SendResult result = sendResultOf(sent == static_cast<int>(count));
    handOverStrays(via.get(), s, port);
    return result;
}

}  // namespace

namespace {

// The POSIX way: one socket, the link and source named per datagram.
SendResult sendWithPktinfo(SocketHandle s, const void* data, size_t count, const sockaddr_in& to, uint32_t viaIndex,
                           uint32_t sourceNet) {
    WSABUF piece{static_cast<ULONG>(clampedLength(count)), static_cast<char*>(const_cast<void*>(data))};
    alignas(WSACMSGHDR) char control[WSA_CMSG_SPACE(sizeof(IN_PKTINFO))] = {};
    WSAMSG m{};
    m.name = reinterpret_cast<LPSOCKADDR>(const_cast<sockaddr_in*>(&to));
    m.namelen = sizeof to;
    m.lpBuffers = &piece;
    m.dwBufferCount = 1;
    m.Control.buf = control;
    m.Control.len = sizeof control;
    WSACMSGHDR* c = WSA_CMSG_FIRSTHDR(&m);
    c->cmsg_level = IPPROTO_IP;
    c->cmsg_type = IP_PKTINFO;
    c->cmsg_len = WSA_CMSG_LEN(sizeof(IN_PKTINFO));
    IN_PKTINFO info{};
    info.ipi_addr.s_addr = sourceNet;
    info.ipi_ifindex = viaIndex;
    std::memcpy(WSA_CMSG_DATA(c), &info, sizeof info);
    DWORD sent = 0;
    if (::WSASendMsg(raw(s), &m, 0, &sent, nullptr, nullptr) != 0) return sendResultOf(false);
    return sent == count ? SendResult::Sent : SendResult::Failed;
}

}  // namespace

SendResult sendDatagramVia(SocketHandle s, const void* data, size_t count, uint32_t addrNet, uint16_t portNet,
                           uint32_t viaIndex, uint32_t sourceNet) {
    const sockaddr_in to = makeAddress(addrNet, portNet);
    if (viaIndex != 0 && !pktinfoSendIgnored()) return sendWithPktinfo(s, data, count, to, viaIndex, sourceNet);
    if (viaIndex != 0) return sendThroughAddress(s, data, count, to, sourceNet);
    const int sent = ::sendto(raw(s), static_cast<const char*>(data), clampedLength(count), 0,
                              reinterpret_cast<const sockaddr*>(&to), sizeof to);
    return sendResultOf(sent == static_cast<int>(count));
}

bool enableArrivalInfo(SocketHandle s) { return setIntOption(s, IPPROTO_IP, IP_PKTINFO, 1); }

namespace {

// WSARecvMsg is an extension that is looked up, once, through a socket.
LPFN_WSARECVMSG receiveMessage(SocketHandle s) {
    static const LPFN_WSARECVMSG function = [s] {
        GUID id = WSAID_WSARECVMSG;
        LPFN_WSARECVMSG found = nullptr;
        DWORD bytes = 0;
        return ::WSAIoctl(raw(s), SIO_GET_EXTENSION_FUNCTION_POINTER, &id, sizeof id, &found, sizeof found, &bytes,
                          nullptr, nullptr) == 0
                   ? found
                   : nullptr;
    }();
    return function;
}

// Winsock gives the datagram's destination, not the local address to answer
// from: for a unicast reply that is this computer's address on the link.
// `m.name` must have been a sockaddr_in.
Arrival arrivalOf(WSAMSG& m) {
    Arrival arrival;
    if (m.namelen >= static_cast<INT>(sizeof(sockaddr_in)))
        readAddress(*reinterpret_cast<const sockaddr_in*>(m.name), &arrival.senderNet, &arrival.senderPort);
    for (WSACMSGHDR* c = WSA_CMSG_FIRSTHDR(&m); c; c = WSA_CMSG_NXTHDR(&m, c)) {
        if (c->cmsg_level != IPPROTO_IP || c->cmsg_type != IP_PKTINFO) continue;
        IN_PKTINFO info{};
        std::memcpy(&info, WSA_CMSG_DATA(c), sizeof info);
        arrival.index = info.ipi_ifindex;
        arrival.localNet = info.ipi_addr.s_addr;
    }
    return arrival;
}

}  // namespace

long receiveWithArrival(SocketHandle s, void* data, size_t capacity, Arrival* arrival) {
    *arrival = Arrival{};
    const LPFN_WSARECVMSG receive = receiveMessage(s);
    if (!receive) return receiveFrom(s, data, capacity, &arrival->senderNet, &arrival->senderPort);
    WSABUF piece{static_cast<ULONG>(clampedLength(capacity)), static_cast<char*>(data)};
    alignas(WSACMSGHDR) char control[WSA_CMSG_SPACE(sizeof(IN_PKTINFO))] = {};
    sockaddr_in sender{};
    WSAMSG m{};
    m.name = reinterpret_cast<LPSOCKADDR>(&sender);
    m.namelen = sizeof sender;
    m.lpBuffers = &piece;
    m.dwBufferCount = 1;
    m.Control.buf = control;
    m.Control.len = sizeof control;
    DWORD received = 0;
    if (receive(raw(s), &m, &received, nullptr, nullptr) != 0) return receiveResult(s, SOCKET_ERROR, capacity);
    *arrival = arrivalOf(m);
    return static_cast<long>(received);
}

long receiveSome(SocketHandle s, void* data, size_t capacity) {
    return receiveResult(s, ::recv(raw(s), static_cast<char*>(data), clampedLength(capacity), 0), capacity);
}

long receiveFrom(SocketHandle s, void* data, size_t capacity, uint32_t* addrNet, uint16_t* portNet) {
    sockaddr_in a{};
    int len = sizeof a;
    const long r = receiveResult(
        s,
        ::recvfrom(raw(s), static_cast<char*>(data), clampedLength(capacity), 0, reinterpret_cast<sockaddr*>(&a), &len),
        capacity);
    if (r >= 0) readAddress(a, addrNet, portNet);
    return r;
}

// 10053 and 10054, the two the protocol tells apart.
SocketError lastSocketError() {
    switch (::WSAGetLastError()) {
    case WSAECONNABORTED: return SocketError::Aborted;
    case WSAECONNRESET: return SocketError::Reset;
    default: return SocketError::Other;
    }
}

bool parseIpv4(const char* text, uint32_t* addrNet) {
    in_addr a{};
    if (text == nullptr || ::inet_pton(AF_INET, text, &a) != 1) return false;
    *addrNet = a.s_addr;
    return true;
}

// Winsock 2.2 for the whole process; it stays started until the process
// ends, which releases it.
bool startSocketLayer() {
    static const bool started = [] {
        WSADATA data{};
        return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started && openUdpSocket().valid();
}

}  // namespace lenscout
