#include "support/loopback.h"

namespace lenscout::test {

UdpPair::UdpPair() : sender_(openUdpSocket()), receiver_(openUdpSocket()) {
    parseIpv4("127.0.0.1", &loopback_);
    ok_ = sender_.valid() && receiver_.valid() && bindTo(receiver_.get(), loopback_, 0);
}

bool UdpPair::send(const void* data, size_t count) {
    return sendDatagramTo(sender_.get(), data, count, loopback_, localPort(receiver_.get())) ==
           static_cast<long>(count);
}

TcpPair::TcpPair() {
    uint32_t loopback = 0;
    parseIpv4("127.0.0.1", &loopback);
    Socket listener = openTcpSocket();
    if (!listener.valid() || !bindTo(listener.get(), loopback, 0) || !listenOn(listener.get(), 1)) return;
    client_ = openTcpSocket();
    if (!connectTo(client_.get(), loopback, localPort(listener.get()))) {
        client_.reset();
        return;
    }
    server_ = acceptFrom(listener.get(), nullptr, nullptr);
}

bool TcpPair::serverSend(const void* data, size_t count) {
    return sendSome(server_.get(), data, count) == static_cast<long>(count);
}

void TcpPair::serverReset() {
    resetOnClose(server_.get());
    server_.reset();
}

}  // namespace lenscout::test
