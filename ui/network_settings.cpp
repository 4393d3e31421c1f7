#include "ui/network_settings.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "app/text_fit.h"
#include "discovery/discovery_messages.h"
#include "platform/socket.h"

namespace lenscout {

namespace {

constexpr uint32_t kMulticastStart = 0xe0000000u;  // 224.0.0.0
constexpr uint32_t kThisNetworkEnd = 0x00ffffffu;  // 0.255.255.255

// Host order; a text that is no address reads as 255.255.255.255, which no
// check lets through.
uint32_t hostAddress(const char* text) {
    uint32_t net = 0;
    return (text && parseIpv4(text, &net)) ? toHostLong(net) : 0xffffffffu;
}

bool usableHost(uint32_t a) { return a < kMulticastStart && a > kThisNetworkEnd; }

// 32 - k ones followed by k zeros.
bool contiguous(uint32_t mask) { return (~mask & (~mask + 1)) == 0; }

SettingsError checkAddresses(uint32_t ip, uint32_t mask, uint32_t gateway, uint32_t dns) {
    if (!usableHost(ip)) return SettingsError::BadAddress;
    if (mask < kMulticastStart || !contiguous(mask) || (ip & ~mask) == 0) return SettingsError::BadMask;
    if ((gateway & mask) != (ip & mask)) return SettingsError::BadGateway;
    if (!usableHost(dns)) return SettingsError::BadDns;
    return SettingsError::None;
}

}  // namespace

std::string cutGbkCredential(std::string_view gbk) { return std::string(gbk.substr(0, gbkFit(gbk, kCredentialLimit))); }

int32_t portFieldValue(std::string_view field) {
    const size_t first = field.find_first_not_of(" \t");
    if (first == std::string_view::npos) return 0;
    const size_t last = field.find_last_not_of(" \t");
    const std::string text(field.substr(first, last - first + 1));
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno || *end || value > INT32_MAX || value < INT32_MIN) return 0;
    return static_cast<int32_t>(value);
}

SettingsError checkPort(int32_t portField) {
    const auto port = static_cast<uint16_t>(static_cast<uint32_t>(portField) & 0xffffu);
    return port == 0 || port == DISCOVERY_PORT ? SettingsError::BadPort : SettingsError::None;
}

NetworkSettings ValidateNetworkSettings(int32_t portField, bool dhcp, const char* ip, const char* mask,
                                        const char* gateway, const char* dns) {
    NetworkSettings s;
    s.port = static_cast<uint16_t>(static_cast<uint32_t>(portField) & 0xffffu);
    if ((s.error = checkPort(portField)) != SettingsError::None) return s;
    if (dhcp) return s;
    const uint32_t a = hostAddress(ip), m = hostAddress(mask), g = hostAddress(gateway), d = hostAddress(dns);
    s.error = checkAddresses(a, m, g, d);
    if (s.error != SettingsError::None) return s;
    s.ip = toNetLong(a);
    s.mask = toNetLong(m);
    s.gateway = toNetLong(g);
    s.dns = toNetLong(d);
    return s;
}

}  // namespace lenscout
