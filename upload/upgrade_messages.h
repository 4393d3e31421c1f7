#pragma once
// The upload conversation on a camera's HTTP port, all under the magic "MO_M":
//
//   helloRequest  (0)   -                                        system -> camera
//   helloReply    (1)   status:u16 deviceId:13 u32 u32 u32        camera -> system   (status 2: busy)
//   loginRequest  (2)   user:13 password:13                       system -> camera
//   loginReply    (3)   status:u16                                camera -> system   (0: accepted)
//   data   (12 | 13)    position:u8 length:u32 bytes:length       system -> camera   (12 system firmware, 13 web UI)
//
//   session = helloRequest helloReply loginRequest loginReply data* end
//   end     = the system shuts its sending side; the camera, having every
//             byte, closes the connection (a reset or silence: no upload)
//   position: 0 first of several blocks, 1 middle, 2 last (the only one of a one-block image)
#include <cstdint>
#include <vector>

#include "discovery/camera_request.h"
#include "protocol/packet_writer.h"

namespace lenscout {

enum class UpgradeKind { SystemFirmware, WebUi };

constexpr uint16_t HELLO_REQUEST = 0;
constexpr uint16_t HELLO_REPLY = 1;
constexpr uint16_t LOGIN_REQUEST = 2;
constexpr uint16_t LOGIN_REPLY = 3;
constexpr uint16_t SYSTEM_FIRMWARE_DATA = 12;
constexpr uint16_t WEB_UI_DATA = 13;

constexpr uint16_t HELLO_BUSY = 2;
constexpr uint8_t BLOCK_FIRST = 0;
constexpr uint8_t BLOCK_MIDDLE = 1;
constexpr uint8_t BLOCK_LAST = 2;

constexpr uint32_t kUpgradeBlockSize = 1024;
constexpr uint32_t kReplyWaitMs = 3000;

uint16_t dataCommand(UpgradeKind kind);

bool buildHelloRequest(PacketWriter& writer);
bool buildLoginRequest(PacketWriter& writer, const Credentials& credentials);
// A data message is its 28-byte head (header, position, length) and the
// block's bytes; the head is stored in place, so that the bytes can be read
// from the file straight behind it.
constexpr size_t kDataHeadSize = 28;
void storeDataHead(uint8_t* at, UpgradeKind kind, uint8_t position, uint32_t length);

struct Block {
    uint8_t position;
    uint32_t length;
};
// The block that follows `sent` of `size` bytes.
Block nextBlock(int64_t sent, int64_t size);
// The whole plan, for tests and the simulator's checks.
std::vector<Block> blockPlan(int64_t size);
// The integer percentage after `sent` of `size` bytes.
int progressPercent(int64_t sent, int64_t size);

}  // namespace lenscout
