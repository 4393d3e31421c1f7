#pragma once
// The few socket calls the camera protocol needs, behind one header.
// Addresses and ports are passed in network byte order, as the rest of the
// system holds them.
#include <cstddef>
#include <cstdint>
#include <functional>

namespace lenscout {

// A descriptor here, a SOCKET (an unsigned handle) on Windows.
#if defined(_WIN32)
using SocketHandle = uintptr_t;
constexpr SocketHandle kInvalidSocket = ~static_cast<uintptr_t>(0);
#else
using SocketHandle = int;
constexpr SocketHandle kInvalidSocket = -1;
#endif

// Owns one socket and closes it when it goes out of scope.
class Socket {
public:
    Socket() = default;
    explicit Socket(SocketHandle handle) : handle_(handle) {}
    ~Socket() { reset(); }
    Socket(Socket&& other) noexcept : handle_(other.release()) {}
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    SocketHandle get() const { return handle_; }
    bool valid() const { return handle_ != kInvalidSocket; }
    SocketHandle release();
    void reset(SocketHandle handle = kInvalidSocket);

private:
    SocketHandle handle_ = kInvalidSocket;
};

Socket openUdpSocket();
Socket openTcpSocket();

bool enableBroadcast(SocketHandle s);
bool setReuseAddress(SocketHandle s);
bool setReceiveBuffer(SocketHandle s, int bytes);
// Binds to any local address; portNet 0 lets the system choose.
bool bindAny(SocketHandle s, uint16_t portNet);
bool bindTo(SocketHandle s, uint32_t addrNet, uint16_t portNet);
// The local port in network byte order, or 0 when it cannot be read.
uint16_t localPort(SocketHandle s);
bool connectTo(SocketHandle s, uint32_t addrNet, uint16_t portNet);
// As connectTo, but gives up after timeoutMs (the socket stays blocking).
bool connectWithin(SocketHandle s, uint32_t addrNet, uint16_t portNet, uint32_t timeoutMs);
// A blocking send that makes no progress for this long fails.
bool setSendTimeout(SocketHandle s, uint32_t timeoutMs);
// Ends the sending side of a TCP connection: the peer reads its end, and
// this side can still receive.
bool shutdownSending(SocketHandle s);
// Breaks a connection off in both directions, from any thread: a send or a
// receive waiting on it returns at once.
void breakOff(SocketHandle s);
// Makes the close of a TCP socket a reset instead of an orderly end.
bool resetOnClose(SocketHandle s);
bool listenOn(SocketHandle s, int backlog);
Socket acceptFrom(SocketHandle s, uint32_t* addrNet, uint16_t* portNet);

enum class WaitResult { Readable, Timeout, Failed };
// Waits until one of `count` sockets (at most kMaxWaitedSockets) is
// readable, at most timeoutMs milliseconds; `*ready` is then its index.
constexpr size_t kMaxWaitedSockets = 64;
WaitResult waitAnyReadable(const SocketHandle* sockets, size_t count, uint32_t timeoutMs, size_t* ready);
// Waits until the socket is readable, at most timeoutMs milliseconds.
inline WaitResult waitReadable(SocketHandle s, uint32_t timeoutMs) {
    size_t ready = 0;
    return waitAnyReadable(&s, 1, timeoutMs, &ready);
}
// Waits until the peer of a TCP connection has closed or reset it, without
// reading what it sent; false when it has not within timeoutMs.
bool waitPeerGone(SocketHandle s, uint32_t timeoutMs);

// Each returns the bytes moved, or -1 on failure. Sends never raise SIGPIPE.
long sendSome(SocketHandle s, const void* data, size_t count);
// Sends the pieces in order as one stream; false unless all of it went.
struct ByteRange {
    const void* data;
    size_t size;
};
// `taken`, when given, is how many bytes the connection took, also on failure.
// The pieces are moved on past what was sent. `onTaken`, when given, hears
// the running total after each system call, and stops the send (false) by
// returning false.
bool sendAllGathered(SocketHandle s, ByteRange* pieces, size_t count, size_t* taken = nullptr,
                     const std::function<bool(size_t taken)>& onTaken = nullptr);
// One system call's worth of the pieces: the bytes it took, or -1.
long sendGathered(SocketHandle s, const ByteRange* pieces, size_t count);
long sendDatagramTo(SocketHandle s, const void* data, size_t count, uint32_t addrNet, uint16_t portNet);
long receiveSome(SocketHandle s, void* data, size_t capacity);
long receiveFrom(SocketHandle s, void* data, size_t capacity, uint32_t* addrNet, uint16_t* portNet);

// How one datagram send ended. A link or route that is missing (down,
// unplugged, no gateway, an address just removed, no buffer space) is no
// failure of the socket: the datagram simply did not go that way.
enum class SendResult { Sent, LinkMissing, Failed };
// Sends a whole datagram. With `viaIndex` non-zero it leaves through that
// interface with `sourceNet` as its source address, whatever the routes say;
// with `sourceNet` alone (POSIX) it leaves from that local address as the
// routes say.
SendResult sendDatagramVia(SocketHandle s, const void* data, size_t count, uint32_t addrNet, uint16_t portNet,
                           uint32_t viaIndex = 0, uint32_t sourceNet = 0);

// Where a datagram arrived: the interface, and the local address that a
// reply to its sender leaves from (index 0 when the system did not say);
// and who sent it, which the system always knows.
struct Arrival {
    uint32_t index = 0;
    uint32_t localNet = 0;
    uint32_t senderNet = 0;
    uint16_t senderPort = 0;  // network order
};
// Asks the system to tell where each datagram arrives (IP_PKTINFO); false
// where it cannot, and receiveWithArrival then reports none.
bool enableArrivalInfo(SocketHandle s);
long receiveWithArrival(SocketHandle s, void* data, size_t capacity, Arrival* arrival);

// The one distinction the protocol makes among socket errors.
enum class SocketError { Aborted, Reset, Other };
SocketError lastSocketError();

// "a.b.c.d" to network order; false for anything else.
bool parseIpv4(const char* text, uint32_t* addrNet);

// Readies the socket layer for the process; false when sockets cannot be
// had at all.
bool startSocketLayer();
uint16_t toNetPort(uint16_t hostPort);
uint16_t toHostPort(uint16_t netPort);
uint32_t toNetLong(uint32_t host);
uint32_t toHostLong(uint32_t net);

}  // namespace lenscout
