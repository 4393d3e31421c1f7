#include "app/string_texts.h"

namespace lenscout {

// Every text in every language, as translators read and write it: UTF-8,
// one row a line in the order of TextRow. The core turns them into GBK once,
// at first use (string_table.cpp). Row 0 stays empty: the languages' names
// come from languages.h.
// clang-format off
const char* const kTextsUtf8[kStringRows][kLanguageCount] = {
    {},
    /* kTextBadGateway              */ {"The Gateway setting is illegal !", "非法的网关设置 !", "非法的網關設置 !"},
    /* kTextBadDns                  */ {"The DNS Server setting is illegal !", "非法的 DNS 服务器设置 !", "非法的 DNS 服務器設置 !"},
    /* kTextBadMask                 */ {"The Subnet Mask setting is illegal !", "非法的子网掩码设置 !", "非法的子網掩碼設置 !"},
    /* kTextBadAddress              */ {"The IP Address setting is illegal !", "非法的 IP 地址设置 !", "非法的 IP 地址設置 !"},
    /* kTextBadPort                 */ {"The Http Port setting is illegal !", "非法的 Http 端口设置 !", "非法的 Http 端口設置 !"},
    /* kTextHttpPort                */ {"Http Port", "Http 端口", "Http 端口"},
    /* kTextDnsServer               */ {"DNS Server", "DNS 服务器", "DNS 服務器"},
    /* kTextGateway                 */ {"Gateway", "网关", "網關"},
    /* kTextSubnetMask              */ {"Subnet Mask", "子网掩码", "子網掩碼"},
    /* kTextIpAddress               */ {"IP Address", "IP 地址", "IP 地址"},
    /* kTextObtainFromDhcp          */ {"Obtain IP from DHCP server", "自动获取 IP 设置", "自動獲取 IP 設置"},
    /* kTextCancel                  */ {"Cancel", "取消", "取消"},
    /* kTextErrorCamera             */ {"Error camera !", "错误的摄像机 !", "錯誤的攝像機 !"},
    /* kTextCannotConnect           */ {"Cannot connect the camera !", "无法连接到指定摄像机 !", "無法連接到指定攝像機 !"},
    /* kTextIncorrectCredentials    */ {"Incorrect user or password !", "错误的用户名或密码 !", "錯誤的用戶名或密碼 !"},
    /* kTextCameraBusy              */ {"The camera is busy now !", "摄像机正忙 !", "攝像機正忙 !"},
    /* kTextTimeOut                 */ {"Time out !", "通讯超时 !", "通訊超時 !"},
    /* kTextRefused                 */ {"Refused by the camera !", "摄像机拒绝连接 !", "攝像機拒絕連接 !"},
    /* kTextUnknownEcho             */ {"Unknown echo !", "未知的响应 !", "未知的響應 !"},
    /* kTextBadFirmwareFile         */ {"Error file of System Firmware !", "错误的系统固件升级文件 !", "錯誤的系統固件升級文件 !"},
    /* kTextBadWebUiFile            */ {"Error file of Web UI !", "错误的应用固件升级文件 !", "錯誤的應用固件升級文件 !"},
    /* kTextCannotOpenFile          */ {"Cannot open the file !", "无法打开指定文件 !", "無法打開指定文件 !"},
    /* kTextUser                    */ {"User", "用户", "用戶"},
    /* kTextPassword                */ {"Password", "密码", "密碼"},
    /* kTextUpgradeSystemFirmware   */ {"Upgrade System Firmware", "升级系统固件", "升級系統固件"},
    /* kTextUpgradeWebUi            */ {"Upgrade Web UI", "升级应用固件", "升級應用固件"},
    /* kTextOk                      */ {"OK", "确定", "確定"},
    /* kTextDeviceId                */ {"Device ID", "设备 ID", "設備 ID"},
    /* kTextFirmwareVersion         */ {"System Firmware Version", "系统固件版本", "系統固件版本"},
    /* kTextWebUiVersion            */ {"Web UI Version", "应用固件版本", "應用固件版本"},
    /* kTextAutodetect              */ {"Autodetect Language", "自动检测语言", "自動檢測語言"},
    /* kTextExit                    */ {"Exit", "退出", "退出"},
    /* kTextTitle                   */ {"Lenscout", "Lenscout", "Lenscout"},
    /* kTextSocketError             */ {"Socket Error !", "Socket 错误 !", "Socket 錯誤 !"},
    /* kTextThreadError             */ {"Thread Error !", "线程错误 !", "線程錯誤 !"},
    /* kTextSubnetMismatch          */ {"Subnet doesn't match, dbclick to change !", "子网不匹配, 双击改变设置 !", "子網不匹配, 雙擊改變設置 !"},
    /* kTextNoWebUi                 */ {"Web UI doest not exist, dbclick to upgrade !", "应用固件不存在, 双击升级 !", "應用固件不存在, 雙擊升級 !"},
    /* kTextAnonymous               */ {"Anonymous", "佚名", "佚名"},
    /* kTextBasicProperties         */ {"Basic Properties", "基本属性", "基本屬性"},
    /* kTextNetworkConfiguration    */ {"Network Configuration", "网络配置", "網絡配置"},
    /* kTextUpgradeFirmware         */ {"Upgrade Firmware", "升级固件", "升級固件"},
    /* kTextUploadNotConfirmed      */ {"The camera did not confirm the upload !", "摄像机没有确认升级 !", "攝像機沒有確認升級 !"},
    /* kTextUploadBrokenOff         */ {"The camera broke off the upload !", "摄像机中断了升级 !", "攝像機中斷了升級 !"},
    /* kTextCannotReadFile          */ {"Cannot read the file !", "无法读取文件 !", "無法讀取文件 !"},
    /* kTextFileIsFolder            */ {"This is a folder, not a file !", "这是文件夹, 不是文件 !", "這是資料夾, 不是文件 !"},
    /* kTextNotAFile                */ {"Not a regular file !", "不是普通文件 !", "不是普通文件 !"},
    /* kTextIdConflict              */ {"Two devices answer with this ID !", "两台设备使用同一ID应答 !", "兩台設備使用同一ID應答 !"},
    /* kTextTooManyDevices          */ {"More devices answer than can be listed !", "应答的设备超出列表容量 !", "應答的設備超出列表容量 !"},
};
// clang-format on

}  // namespace lenscout
