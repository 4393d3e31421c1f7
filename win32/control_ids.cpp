#include "win32/control_ids.h"

#include <windows.h>

#include <cstring>
#include <utility>

#include "win32/resource.h"

namespace lenscout {

namespace {

#define LENSCOUT_CONTROL(name) \
    { #name, name }
// The upload dialog's labels have the numbers of the network dialog's.
constexpr std::pair<const char*, int> kControls[] = {LENSCOUT_CONTROL(IDOK),
                                                     LENSCOUT_CONTROL(IDCANCEL),
                                                     LENSCOUT_CONTROL(IDC_DHCP),
                                                     LENSCOUT_CONTROL(IDC_LABEL_IP),
                                                     LENSCOUT_CONTROL(IDC_LABEL_MASK),
                                                     LENSCOUT_CONTROL(IDC_LABEL_GATEWAY),
                                                     LENSCOUT_CONTROL(IDC_LABEL_DNS),
                                                     LENSCOUT_CONTROL(IDC_LABEL_PORT),
                                                     LENSCOUT_CONTROL(IDC_LABEL_USER),
                                                     LENSCOUT_CONTROL(IDC_LABEL_PASSWORD),
                                                     LENSCOUT_CONTROL(IDC_UPGRADE_FIRMWARE),
                                                     LENSCOUT_CONTROL(IDC_UPGRADE_WEBUI)};
#undef LENSCOUT_CONTROL
static_assert(IDC_UPGRADE_LABEL_USER == IDC_LABEL_USER && IDC_UPGRADE_LABEL_PASSWORD == IDC_LABEL_PASSWORD,
              "one name for the labels of both credentials dialogs");

}  // namespace

int controlId(const char* name) {
    for (const auto& [known, id] : kControls)
        if (std::strcmp(known, name) == 0) return id;
    return 0;
}

}  // namespace lenscout
