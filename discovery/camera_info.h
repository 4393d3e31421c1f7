#pragma once
#include <cstdint>
#include <type_traits>

namespace lenscout {

constexpr int kIdSize = 13;    // deviceId, and a request's user and password
constexpr int kNameSize = 21;  // name

// One camera, copied whole between the worker, the list and the dialogs.
// Text fields end at their first zero byte; addresses and the port are in
// network byte order.
struct CameraInfo {
    char deviceId[kIdSize];
    char name[kNameSize];
    uint32_t ip;
    uint32_t mask;
    uint32_t gateway;
    uint32_t dns;
    uint16_t httpPort;
    uint32_t firmwareVersion;
    uint32_t webUiVersion;
    uint8_t sameSubnet;
    uint8_t seen;
    // Where the reply arrived: the system's interface index and this
    // computer's address on it; 0 where the system cannot tell.
    uint32_t arrivalIndex;
    uint32_t arrivalLocal;
    // Who sent the reply, whatever address it claims; 0 for a record that
    // did not come off the network.
    uint32_t sender;
    // Another device answers with this ID: its sender and claimed address.
    uint8_t conflict;
    uint32_t conflictSender;
    uint32_t conflictIp;
};
static_assert(std::is_trivially_copyable<CameraInfo>::value, "copied as one block");
static_assert(std::is_standard_layout<CameraInfo>::value, "plain record of fixed layout");

}  // namespace lenscout
