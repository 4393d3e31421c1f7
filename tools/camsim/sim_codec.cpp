#include "tools/camsim/sim_codec.h"

#include <algorithm>
#include <cstring>

namespace lenscout::sim {

uint16_t getLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t getLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
void putLe16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void putLe32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void putText(std::vector<uint8_t>& out, const std::string& text, size_t size, uint8_t junk) {
    const size_t used = std::min(text.size(), size);
    out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(used));
    for (size_t i = used; i < size; ++i) out.push_back(i == used ? 0 : junk);
}

std::string textOf(const uint8_t* field, size_t size) {
    const auto* end = static_cast<const uint8_t*>(std::memchr(field, 0, size));
    return std::string(reinterpret_cast<const char*>(field), end ? static_cast<size_t>(end - field) : size);
}

std::string textOf(const std::string& configured) {
    return textOf(reinterpret_cast<const uint8_t*>(configured.data()), configured.size());
}

std::string joined(const std::vector<std::string>& violations) {
    std::string out;
    for (const std::string& v : violations) out += (out.empty() ? "" : ",") + v;
    return out;
}

std::vector<uint8_t> encode(const char* magic, uint16_t command, const std::vector<uint8_t>& payload,
                            const std::vector<uint8_t>* key) {
    std::vector<uint8_t> out(magic, magic + 4);
    putLe16(out, command);
    out.push_back(key ? 1 : 0);
    for (size_t i = 0; i < 8; ++i) out.push_back(key ? (*key)[i] : 0);
    putLe32(out, static_cast<uint32_t>(payload.size()));
    putLe32(out, static_cast<uint32_t>(payload.size()));
    for (size_t i = 0; i < payload.size(); ++i) out.push_back(key ? payload[i] ^ (*key)[i % 8] : payload[i]);
    return out;
}

bool decode(const uint8_t* data, size_t size, Message* m) {
    if (size < kHeaderBytes) return false;
    std::memcpy(m->magic, data, 4);
    m->command = getLe16(data + 4);
    m->flag = data[6];
    std::memcpy(m->key, data + 7, 8);
    m->payloadLength = getLe32(data + 15);
    m->appendedLength = getLe32(data + 19);
    if (size - kHeaderBytes < m->payloadLength) return false;
    m->payload.assign(data + kHeaderBytes, data + kHeaderBytes + m->payloadLength);
    if (m->flag == 1)
        for (size_t i = 0; i < m->payload.size(); ++i) m->payload[i] ^= m->key[i % 8];
    return true;
}

std::vector<std::string> requestViolations(const Message& m, size_t payloadSize) {
    std::vector<std::string> v;
    if (m.flag != 0) v.push_back("flag=" + std::to_string(m.flag));
    if (std::any_of(m.key, m.key + 8, [](uint8_t b) { return b != 0; })) v.push_back("key");
    if (m.appendedLength != m.payloadLength) v.push_back("appended-length=" + std::to_string(m.appendedLength));
    if (m.payload.size() != payloadSize) v.push_back("payload-size=" + std::to_string(m.payload.size()));
    return v;
}

}  // namespace lenscout::sim
