#pragma once
// What the program asks of one camera, apart from what the camera says of
// itself: where the request goes, who asks, and what it carries.
#include <cstdint>
#include <type_traits>

#include "discovery/camera_info.h"

namespace lenscout {

// The user and password a camera takes: GBK, at most 11 bytes each, ending
// at their first zero byte.
struct Credentials {
    char user[kIdSize];
    char password[kIdSize];
};

// The camera by its ID, reached where its reply came from: out of the link
// that holds the address the reply came to, and its result counts only
// from that sender.
struct RequestTarget {
    char deviceId[kIdSize];
    uint32_t arrivalIndex;
    uint32_t arrivalLocal;
    uint32_t sender;
};

// The network settings a camera is to take; addresses and the port in
// network byte order, all addresses 0 for DHCP.
struct NetworkPayload {
    uint32_t ip;
    uint32_t mask;
    uint32_t gateway;
    uint32_t dns;
    uint16_t httpPort;
};

struct CameraRequest {
    RequestTarget target;
    Credentials credentials;
    NetworkPayload network;
};
static_assert(std::is_trivially_copyable<CameraRequest>::value, "copied and wiped as one block");

// The request to `chosen`, going where its reply came from, with the
// settings it has now and no credentials yet.
CameraRequest requestTo(const CameraInfo& chosen);

}  // namespace lenscout
