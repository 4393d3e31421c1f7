#pragma once
// Every message to or from a camera, over UDP or TCP:
//
//   message  = header payload
//   header   = magic:4 command:u16 scrambled:u8 key:8 payloadLength:u32 appendedLength:u32
//   magic    = "MO_I" (discovery) | "MO_M" (upload)
//   payload  = payloadLength bytes, XORed with key[i % 8] when scrambled is 1
//
// Counts travel little-endian. The readers trust payloadLength and ignore
// appendedLength; the writer keeps both equal.
#include <cstddef>
#include <cstdint>

namespace lenscout {

#pragma pack(push, 1)
struct PacketHeader {
    char magic[4];
    uint16_t command;
    uint8_t scrambled;
    uint8_t key[8];
    uint32_t payloadLength;
    uint32_t appendedLength;
};
#pragma pack(pop)
static_assert(sizeof(PacketHeader) == 23, "the header is 23 bytes on the wire");

constexpr int32_t kHeaderSize = 23;
constexpr size_t kMagicOffset = 0;
constexpr size_t kCommandOffset = 4;
constexpr size_t kScrambledOffset = 6;
constexpr size_t kKeyOffset = 7;
constexpr size_t kKeySize = 8;
constexpr size_t kPayloadLengthOffset = 15;
constexpr size_t kAppendedLengthOffset = 19;

constexpr char kDiscoveryMagic[4] = {'M', 'O', '_', 'I'};
constexpr char kUploadMagic[4] = {'M', 'O', '_', 'M'};

}  // namespace lenscout
