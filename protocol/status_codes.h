#pragma once
#include <cstdint>

namespace lenscout {

// Results of the socket operations of the writer and the readers.
using NetStatus = int16_t;
constexpr NetStatus NET_OK = 0;
constexpr NetStatus NET_ERROR = -2;    // a socket call failed, or a datagram went out short
constexpr NetStatus NET_TIMEOUT = -3;  // nothing became readable in time
constexpr NetStatus NET_CLOSED = -6;   // stream only: closed, aborted or reset by the peer

}  // namespace lenscout
