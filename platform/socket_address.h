#pragma once
// IPv4 socket addresses, for socket_posix.cpp and socket_win32.cpp: each
// includes its system's socket headers, which declare sockaddr_in, before
// this one.
#include <cstdint>

namespace lenscout {

inline sockaddr_in makeAddress(uint32_t addrNet, uint16_t portNet) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = addrNet;
    a.sin_port = portNet;
    return a;
}

inline void readAddress(const sockaddr_in& a, uint32_t* addrNet, uint16_t* portNet) {
    if (addrNet) *addrNet = a.sin_addr.s_addr;
    if (portNet) *portNet = a.sin_port;
}

}  // namespace lenscout
