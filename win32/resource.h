#pragma once
// The numbers of the program's resources: dialog templates, their controls
// and the icon. Read by the resource compiler and by the code alike, so
// plain #defines only.

#define IDR_MAINFRAME 128

// The main window.
#define IDD_CAMERA_LIST 102
#define IDC_CAMERA_LIST 1004

// Network configuration. 1007 holds the mask and 1006 the gateway: the
// numbers do not follow the positions.
#define IDD_NET_CONFIG 134
#define IDC_IP 1005
#define IDC_GATEWAY 1006
#define IDC_MASK 1007
#define IDC_DNS 1008
#define IDC_PORT 1009
#define IDC_DHCP 1010
#define IDC_PASSWORD 1011
#define IDC_USER 1012
#define IDC_LABEL_PASSWORD 1015
#define IDC_LABEL_USER 1024
#define IDC_LABEL_IP 1025
#define IDC_LABEL_MASK 1026
#define IDC_LABEL_GATEWAY 1027
#define IDC_LABEL_DNS 1028
#define IDC_LABEL_PORT 1029

// Upgrade firmware.
#define IDD_UPGRADE 136
#define IDC_UPGRADE_WEBUI 3
#define IDC_PROGRESS 1011
#define IDC_UPGRADE_FIRMWARE 1012
#define IDC_UPGRADE_PASSWORD 1014
#define IDC_UPGRADE_LABEL_PASSWORD 1015
#define IDC_UPGRADE_USER 1017
#define IDC_UPGRADE_LABEL_USER 1024
