#pragma once
// The discovery messages, all under the magic "MO_I" on UDP port 10000 (the
// first of the discovery ports; a reply may come to any of them):
//
//   search      (0)  tag:u32=0x01000000                                  system -> broadcast
//   searchReply (1)  deviceId:13 name:21 ip:4 mask:4 gateway:4 dns:4
//                    unused:4 firmwareVersion:4 webUiVersion:4 httpPort:2 camera -> system
//   setNetwork  (2)  tag:u32 deviceId:13 user:13 password:13
//                    ip:4 mask:4 gateway:4 dns:4 httpPort:2               system -> broadcast
//   result      (3)  code:u16                                            camera -> system
//
// Addresses and the port travel in network byte order, as held. A broadcast
// goes to 255.255.255.255:10000 once from every address of every link that
// can broadcast, the same bytes each time, with that address as source.
#include <cstdint>
#include <memory>

#include "discovery/camera_info.h"
#include "discovery/camera_request.h"
#include "discovery/discovery_port.h"
#include "protocol/datagram_reader.h"
#include "protocol/packet_writer.h"

namespace lenscout {

constexpr char kBroadcastAddress[] = "255.255.255.255";

constexpr uint16_t CMD_SEARCH = 0;
constexpr uint16_t CMD_SEARCH_REPLY = 1;
constexpr uint16_t CMD_SET_NETWORK = 2;
constexpr uint16_t CMD_RESULT = 3;

constexpr uint32_t kRequestTag = 0x01000000;

// The result codes by which a camera refuses a set-network request's user
// or password.
constexpr bool isRefusalCode(int32_t code) { return code == 1 || code == 5 || code == 6; }
// A camera confirms new settings by answering a search with them.
bool showsSettings(const CameraInfo& reply, const CameraInfo& wanted);
// A request for DHCP can only be refused, since a reply shows no mode: an
// answer this long after the request without a refusal is all there is.
constexpr uint32_t kDhcpRefusalWindowMs = 1000;
constexpr int kSearchReplyMinPayload = 64;

bool buildSearchRequest(PacketWriter& writer);
bool buildSetNetworkRequest(PacketWriter& writer, const CameraRequest& request);

// A new record from a search-reply payload, with seen and sameSubnet set;
// null when the payload is shorter than 64 bytes.
std::unique_ptr<CameraInfo> parseSearchReply(DatagramReader& reader);
// False when the payload holds no code.
bool parseResult(DatagramReader& reader, uint16_t* code);

}  // namespace lenscout
