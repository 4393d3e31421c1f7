#include "ui/camera_fields.h"

#include <map>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "platform/socket.h"

namespace lenscout {

namespace {

using Names = const InterfaceNames&;

std::string interfaceOf(const CameraInfo& c, Names names) {
    return c.arrivalIndex && names ? names(c.arrivalIndex) : "";
}
std::string addressOrNone(uint32_t addrNet) { return addrNet ? dottedQuad(addrNet) : ""; }
std::string localAddressOf(const CameraInfo& c, Names) { return addressOrNone(c.arrivalLocal); }

constexpr unsigned kEverywhere = kInScan | kInInventory;

}  // namespace

// clang-format off
const std::vector<CameraField>& cameraFields() {
    static const std::vector<CameraField> fields = {
        {"id", "id", kTextDeviceId, FieldKind::Text, kEverywhere | kInProperties,
         [](const CameraInfo& c, Names) { return gbkToUtf8(fieldText(c.deviceId)); }},
        {"name", "name", 0, FieldKind::Text, kEverywhere,
         [](const CameraInfo& c, Names) { return gbkToUtf8(fieldText(c.name)); }},
        {"ip", "ip", kTextIpAddress, FieldKind::Dotted, kEverywhere | kInSettings | kInProperties,
         [](const CameraInfo& c, Names) { return dottedQuad(c.ip); }},
        {"mask", "mask", kTextSubnetMask, FieldKind::Dotted, kEverywhere | kInSettings,
         [](const CameraInfo& c, Names) { return dottedQuad(c.mask); }},
        {"gateway", "gateway", kTextGateway, FieldKind::Dotted, kEverywhere | kInSettings,
         [](const CameraInfo& c, Names) { return dottedQuad(c.gateway); }},
        {"dns", "dns", kTextDnsServer, FieldKind::Dotted, kEverywhere | kInSettings,
         [](const CameraInfo& c, Names) { return dottedQuad(c.dns); }},
        {"http_port", "port", kTextHttpPort, FieldKind::Number, kEverywhere | kInSettings,
         [](const CameraInfo& c, Names) { return std::to_string(toHostPort(c.httpPort)); }},
        {"firmware", "firmware", kTextFirmwareVersion, FieldKind::Dotted, kEverywhere | kInProperties,
         [](const CameraInfo& c, Names) { return dottedQuad(c.firmwareVersion); }},
        {"webui", "webui", kTextWebUiVersion, FieldKind::Dotted, kEverywhere | kInProperties,
         [](const CameraInfo& c, Names) { return dottedQuad(c.webUiVersion); }},
        {"same_subnet", "same_subnet", 0, FieldKind::Boolean, kEverywhere,
         [](const CameraInfo& c, Names) { return std::string(c.sameSubnet ? "1" : "0"); }},
        {"interface", "interface", 0, FieldKind::Text, kInInventory, interfaceOf},
        {"local_address", "local_address", 0, FieldKind::Dotted, kInInventory, localAddressOf},
        // Who answered, which need not be the address the reply claims.
        {"sender", "sender", kTextAnsweredFrom, FieldKind::Dotted, kEverywhere | kInProperties,
         [](const CameraInfo& c, Names) { return addressOrNone(c.sender); }},
        // Another device answers with this ID: a forger, or a clone.
        {"conflict", "conflict", 0, FieldKind::Boolean, kEverywhere,
         [](const CameraInfo& c, Names) { return std::string(c.conflict ? "1" : "0"); }},
        {"conflict_sender", "conflict_sender", 0, FieldKind::Dotted, kEverywhere,
         [](const CameraInfo& c, Names) { return c.conflict ? addressOrNone(c.conflictSender) : ""; }},
        {"conflict_ip", "conflict_ip", 0, FieldKind::Dotted, kEverywhere,
         [](const CameraInfo& c, Names) { return c.conflict ? addressOrNone(c.conflictIp) : ""; }},
    };
    return fields;
}
// clang-format on

// Each use's list is made once: scan and inventory ask for it per camera.
const std::vector<const CameraField*>& fieldsFor(FieldUse use) {
    static const std::map<unsigned, std::vector<const CameraField*>> byUse = [] {
        std::map<unsigned, std::vector<const CameraField*>> lists;
        for (unsigned u : {kInProperties, kInScan, kInInventory, kInSettings})
            for (const CameraField& f : cameraFields())
                if (f.uses & u) lists[u].push_back(&f);
        return lists;
    }();
    return byUse.at(use);
}

}  // namespace lenscout
