#pragma once
// The cameras' side of the wire, written from the wire layout alone: the
// simulator shares no code and no constant with the program it tests, so
// that a fault both sides shared would still show.
//
//   header = magic:4 command:u16le flag:u8 key:8 payloadLength:u32le appendedLength:u32le
//   flag 1: the payload is XORed with key[i % 8]; any other value: plain
//
// Discovery, "MO_I", UDP port 10000
//   0 search       (to cameras)  tag 00 00 00 01
//   1 searchReply  (from camera) id:13 name:21 ip:4 mask:4 gateway:4 dns:4
//                                unused:4 firmware:4 webUi:4 port:2 (64 bytes or more)
//   2 setNetwork   (to cameras)  tag:4 id:13 user:13 password:13 ip:4 mask:4
//                                gateway:4 dns:4 port:2 (61 bytes)
//   3 result       (from camera) code:u16le (2 bytes or more)
// Upload, "MO_M", TCP to the HTTP port
//   0 hello        (to camera)   nothing
//   1 helloReply   (from camera) status:u16le id:13 three u32 (status 2: busy)
//   2 login        (to camera)   user:13 password:13, zero-filled after the text
//   3 loginReply   (from camera) status:u16le (0: accepted)
//   12 / 13 data   (to camera)   position:u8 (0 first, 1 middle, 2 last) length:u32le bytes
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lenscout::sim {

constexpr size_t kHeaderBytes = 23;
constexpr char kDiscovery[] = "MO_I";
constexpr char kUpload[] = "MO_M";
constexpr uint16_t kCmdSearch = 0, kCmdSearchReply = 1, kCmdSetNetwork = 2, kCmdResult = 3;
constexpr uint16_t kCmdHello = 0, kCmdHelloReply = 1, kCmdLogin = 2, kCmdLoginReply = 3;
constexpr uint16_t kCmdFirmwareData = 12, kCmdWebUiData = 13;
constexpr uint16_t kHelloBusy = 2;
constexpr size_t kBlockBytes = 1024;

uint16_t getLe16(const uint8_t* p);
uint32_t getLe32(const uint8_t* p);
void putLe16(std::vector<uint8_t>& out, uint16_t v);
void putLe32(std::vector<uint8_t>& out, uint32_t v);
// `size` bytes of `text`, cut or zero-filled; `junk` fills what follows the
// first zero instead, as some cameras leave it.
void putText(std::vector<uint8_t>& out, const std::string& text, size_t size, uint8_t junk = 0);
// The text of a fixed field: up to its first zero, or the whole field.
std::string textOf(const uint8_t* field, size_t size);
// A configured text as its field would carry it: up to its first zero.
std::string textOf(const std::string& configured);
// Violations as a log names them: comma-separated, empty for none.
std::string joined(const std::vector<std::string>& violations);

// A whole message, scrambled with `key` (8 bytes) when one is given.
std::vector<uint8_t> encode(const char* magic, uint16_t command, const std::vector<uint8_t>& payload,
                            const std::vector<uint8_t>* key = nullptr);

struct Message {
    char magic[5] = {};
    uint16_t command = 0;
    uint8_t flag = 0;
    uint8_t key[8] = {};
    uint32_t payloadLength = 0;
    uint32_t appendedLength = 0;
    std::vector<uint8_t> payload;  // descrambled when the flag is 1
};

// The message that starts `data`; false when fewer bytes than its header
// and announced payload are there.
bool decode(const uint8_t* data, size_t size, Message* m);

// What a request from the program may not do: the flag and key are zero,
// both lengths agree, and the payload has its command's exact size.
std::vector<std::string> requestViolations(const Message& m, size_t payloadSize);

}  // namespace lenscout::sim
