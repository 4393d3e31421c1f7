#include "ui/net_config_presenter.h"

#include <string>

#include "discovery/camera_text.h"
#include "platform/socket.h"
#include "ui/failure_texts.h"
#include "ui/network_settings.h"

namespace lenscout {

namespace {

constexpr DialogField kAddressFields[] = {DialogField::Ip, DialogField::Mask, DialogField::Gateway, DialogField::Dns};

void fillAddresses(NetConfigView& view, const uint32_t (&values)[4]) {
    for (size_t i = 0; i < 4; ++i) view.fields().setText(kAddressFields[i], dottedQuad(values[i]));
}

}  // namespace

void fillNetworkFields(NetConfigView& view, const CameraInfo& c) {
    fillAddresses(view, {c.ip, c.mask, c.gateway, c.dns});
    view.fields().setText(DialogField::Port, std::to_string(toHostPort(c.httpPort)));
}

void OnDhcpClicked(NetConfigView& view, const CameraInfo& camera) {
    const bool dhcp = view.dhcpChecked();
    view.enableAddresses(!dhcp);
    if (dhcp) fillAddresses(view, {0, 0, 0, 0});
    else
        fillNetworkFields(view, camera);
}

bool acceptNetworkSettings(NetConfigView& view, const CameraInfo& camera, CameraRequest& request) {
    const bool dhcp = view.dhcpChecked();
    std::string address[4];
    for (size_t i = 0; i < 4; ++i) address[i] = view.fields().text(kAddressFields[i]);
    const NetworkSettings s =
        ValidateNetworkSettings(portFieldValue(view.fields().text(DialogField::Port)), dhcp, address[0].c_str(),
                                address[1].c_str(), address[2].c_str(), address[3].c_str());
    // The fields show the values that count; the addresses are read only
    // once the port has passed.
    view.fields().setText(DialogField::Port, std::to_string(s.port));
    if (!dhcp && s.error != SettingsError::BadPort)
        for (size_t i = 0; i < 4; ++i) view.fields().setText(kAddressFields[i], address[i]);
    if (s.error != SettingsError::None) {
        view.showMessage(textRow(s.error));
        return false;
    }
    request = requestTo(camera);
    if (!takeCredentials(view, request.credentials)) return false;
    request.network = {s.ip, s.mask, s.gateway, s.dns, toNetPort(s.port)};
    return true;
}

}  // namespace lenscout
