#pragma once
// The dialogs' control numbers, per dialog template; each control's object
// name in res/*.ui is its name here.
namespace lenscout {

enum CommonControl { IDOK = 1, IDCANCEL = 2 };

// The main window, dialog 102.
enum CameraListControl { IDC_CAMERA_LIST = 1004 };

// Network configuration, dialog 134. 1007 holds the mask and 1006 the
// gateway: the numbers do not follow the positions.
enum NetConfigControl {
    IDC_IP = 1005,
    IDC_GATEWAY = 1006,
    IDC_MASK = 1007,
    IDC_DNS = 1008,
    IDC_PORT = 1009,
    IDC_DHCP = 1010,
    IDC_PASSWORD = 1011,
    IDC_USER = 1012,
    IDC_LABEL_PASSWORD = 1015,
    IDC_LABEL_USER = 1024,
    IDC_LABEL_IP = 1025,
    IDC_LABEL_MASK = 1026,
    IDC_LABEL_GATEWAY = 1027,
    IDC_LABEL_DNS = 1028,
    IDC_LABEL_PORT = 1029,
};

// Basic properties, dialog 142.
enum CameraInfoControl {
    IDC_FIRMWARE = 1013,
    IDC_LABEL_FIRMWARE = 1019,
    IDC_LABEL_WEBUI = 1020,
    IDC_LABEL_DEVICE_ID = 1021,
    IDC_DEVICE_ID = 1023,
    IDC_WEBUI = 1026,
};

// Upgrade firmware, dialog 136.
enum UpgradeControl {
    IDC_UPGRADE_WEBUI = 3,
    IDC_PROGRESS = 1011,
    IDC_UPGRADE_FIRMWARE = 1012,
    IDC_UPGRADE_PASSWORD = 1014,
    IDC_UPGRADE_LABEL_PASSWORD = 1015,
    IDC_UPGRADE_USER = 1017,
    IDC_UPGRADE_LABEL_USER = 1024,
};

}  // namespace lenscout
