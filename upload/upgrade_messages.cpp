#include "upload/upgrade_messages.h"

#include <cstring>
#include "discovery/camera_info.h"

#include "protocol/packet_header.h"
#include "protocol/payload.h"

namespace lenscout {

uint16_t dataCommand(UpgradeKind kind) { return kind == UpgradeKind::WebUi ? WEB_UI_DATA : SYSTEM_FIRMWARE_DATA; }

bool buildHelloRequest(PacketWriter& w) { return w.begin(HELLO_REQUEST, kUploadMagic) && w.finalize(); }

bool buildLoginRequest(PacketWriter& w, const Credentials& c) {
    return w.begin(LOGIN_REQUEST, kUploadMagic) && w.appendBytes(c.user, kIdSize) &&
           w.appendBytes(c.password, kIdSize) && w.finalize();
}

void storeDataHead(uint8_t* at, UpgradeKind kind, uint8_t position, uint32_t length) {
    std::memcpy(at + kMagicOffset, kUploadMagic, 4);
    storeLe16(at + kCommandOffset, dataCommand(kind));
    std::memset(at + kScrambledOffset, 0, 1 + kKeySize);
    storeLe32(at + kPayloadLengthOffset, 5 + length);
    storeLe32(at + kAppendedLengthOffset, 5 + length);
    at[kHeaderSize] = position;
    storeLe32(at + kHeaderSize + 1, length);
}

Block nextBlock(int64_t sent, int64_t size) {
    const int64_t remaining = size - sent;
    if (remaining <= kUpgradeBlockSize) return {BLOCK_LAST, static_cast<uint32_t>(remaining)};
    return {sent == 0 ? BLOCK_FIRST : BLOCK_MIDDLE, kUpgradeBlockSize};
}

std::vector<Block> blockPlan(int64_t size) {
    std::vector<Block> plan;
    for (int64_t sent = 0; sent < size; sent += nextBlock(sent, size).length) plan.push_back(nextBlock(sent, size));
    return plan;
}

// In 64 bits: with 32, bytes x 100 overflows for images above 21 MiB.
int progressPercent(int64_t sent, int64_t size) { return size > 0 ? static_cast<int>(sent * 100 / size) : 100; }

}  // namespace lenscout
