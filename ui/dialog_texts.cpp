#include "ui/dialog_texts.h"

#include "app/string_table.h"

namespace lenscout {

const std::vector<ControlText>& networkDialogTexts() {
    static const std::vector<ControlText> texts = {{"IDC_DHCP", kTextObtainFromDhcp, 'D'},
                                                   {"IDC_LABEL_IP", kTextIpAddress, 'I'},
                                                   {"IDC_LABEL_MASK", kTextSubnetMask, 'M'},
                                                   {"IDC_LABEL_GATEWAY", kTextGateway, 'G'},
                                                   {"IDC_LABEL_DNS", kTextDnsServer, 'N'},
                                                   {"IDC_LABEL_PORT", kTextHttpPort, 'H'},
                                                   {"IDC_LABEL_USER", kTextUser, 'U'},
                                                   {"IDC_LABEL_PASSWORD", kTextPassword, 'P'},
                                                   {"IDOK", kTextOk, 0},
                                                   {"IDCANCEL", kTextCancel, 0}};
    return texts;
}

const std::vector<ControlText>& upgradeDialogTexts() {
    static const std::vector<ControlText> texts = {{"IDC_LABEL_USER", kTextUser, 'U'},
                                                   {"IDC_LABEL_PASSWORD", kTextPassword, 'P'},
                                                   {"IDC_UPGRADE_FIRMWARE", kTextUpgradeSystemFirmware, 'S'},
                                                   {"IDC_UPGRADE_WEBUI", kTextUpgradeWebUi, 'W'},
                                                   {"IDCANCEL", kTextOk, 0}};
    return texts;
}

const std::vector<ControlText>& credentialsDialogTexts() {
    static const std::vector<ControlText> texts = {{"IDC_LABEL_USER", kTextUser, 'U'},
                                                   {"IDC_LABEL_PASSWORD", kTextPassword, 'P'},
                                                   {"IDOK", kTextOk, 0},
                                                   {"IDCANCEL", kTextCancel, 0}};
    return texts;
}

}  // namespace lenscout
