#pragma once
// The checks of the network configuration dialog, apart from any window:
// port, then address, mask, gateway and DNS server, the first failure
// reported by what it is.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lenscout {

enum class SettingsError { None, BadPort, BadAddress, BadMask, BadGateway, BadDns };

struct NetworkSettings {
    SettingsError error = SettingsError::None;
    uint16_t port = 0;  // the port's low 16 bits, host order: what the field shows
    uint32_t ip = 0;    // network order; all four 0 in DHCP mode
    uint32_t mask = 0;
    uint32_t gateway = 0;
    uint32_t dns = 0;
};

// `portField` as read from the port field (0 for a text that is no number);
// the addresses as dotted texts, not looked at in DHCP mode.
// The port field's text as a number: 0 for a text that is no number or
// does not fit 32 bits, as the dialog's integer read gives it.
int32_t portFieldValue(std::string_view field);

// The port's own rule: its low 16 bits, neither 0 nor the discovery port.
SettingsError checkPort(int32_t portField);

NetworkSettings ValidateNetworkSettings(int32_t portField, bool dhcp, const char* ip, const char* mask,
                                        const char* gateway, const char* dns);

// The user name and password go to the camera as at most 11 bytes.
constexpr size_t kCredentialLimit = 11;
// The start of a GBK credential that a camera takes: at most 11 bytes,
// never half a character.
std::string cutGbkCredential(std::string_view gbk);

}  // namespace lenscout
