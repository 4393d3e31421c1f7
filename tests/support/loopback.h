#pragma once
// Socket pairs on 127.0.0.1 for tests that need a real peer but no LAN.
#include <cstddef>
#include <cstdint>

#include "platform/socket.h"

namespace lenscout::test {

class UdpPair {
public:
    UdpPair();
    bool ok() const { return ok_; }
    SocketHandle receiver() const { return receiver_.get(); }
    bool send(const void* data, size_t count);

private:
    Socket sender_, receiver_;
    uint32_t loopback_ = 0;
    bool ok_ = false;
};

class TcpPair {
public:
    TcpPair();
    bool ok() const { return client_.valid() && server_.valid(); }
    SocketHandle client() const { return client_.get(); }
    bool serverSend(const void* data, size_t count);
    void serverClose() { server_.reset(); }
    // Closes the server side with a reset instead of an orderly close.
    void serverReset();

private:
    Socket client_, server_;
};

}  // namespace lenscout::test
