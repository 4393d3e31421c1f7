#include "app/string_table.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/gbk.h"

namespace lenscout {
namespace {

// The table as users read it, typed as UTF-8 apart from the table itself;
// every row must match it once converted to GBK.
const char* const kReference[kStringRows][kLanguageColumns] = {
    {"English", "简体中文", "繁體中文"},
    {"The Gateway setting is illegal !", "非法的网关设置 !", "非法的網關設置 !"},
    {"The DNS Server setting is illegal !", "非法的 DNS 服务器设置 !", "非法的 DNS 服務器設置 !"},
    {"The Subnet Mask setting is illegal !", "非法的子网掩码设置 !", "非法的子網掩碼設置 !"},
    {"The IP Address setting is illegal !", "非法的 IP 地址设置 !", "非法的 IP 地址設置 !"},
    {"The Http Port setting is illegal !", "非法的 Http 端口设置 !", "非法的 Http 端口設置 !"},
    {"Http Port", "Http 端口", "Http 端口"},
    {"DNS Server", "DNS 服务器", "DNS 服務器"},
    {"Gateway", "网关", "網關"},
    {"Subnet Mask", "子网掩码", "子網掩碼"},
    {"IP Address", "IP 地址", "IP 地址"},
    {"Obtain IP from DHCP server", "自动获取 IP 设置", "自動獲取 IP 設置"},
    {"Cancel", "取消", "取消"},
    {"Error camera !", "错误的摄像机 !", "錯誤的攝像機 !"},
    {"Cannot connect the camera !", "无法连接到指定摄像机 !", "無法連接到指定攝像機 !"},
    {"Incorrect user or password !", "错误的用户名或密码 !", "錯誤的用戶名或密碼 !"},
    {"The camera is busy now !", "摄像机正忙 !", "攝像機正忙 !"},
    {"Time out !", "通讯超时 !", "通訊超時 !"},
    {"Refused by the camera !", "摄像机拒绝连接 !", "攝像機拒絕連接 !"},
    {"Unknown echo !", "未知的响应 !", "未知的響應 !"},
    {"Error file of System Firmware !", "错误的系统固件升级文件 !", "錯誤的系統固件升級文件 !"},
    {"Error file of Web UI !", "错误的应用固件升级文件 !", "錯誤的應用固件升級文件 !"},
    {"Cannot open the file !", "无法打开指定文件 !", "無法打開指定文件 !"},
    {"User", "用户", "用戶"},
    {"Password", "密码", "密碼"},
    {"Upgrade System Firmware", "升级系统固件", "升級系統固件"},
    {"Upgrade Web UI", "升级应用固件", "升級應用固件"},
    {"OK", "确定", "確定"},
    {"Device ID", "设备 ID", "設備 ID"},
    {"System Firmware Version", "系统固件版本", "系統固件版本"},
    {"Web UI Version", "应用固件版本", "應用固件版本"},
    {"Autodetect Language", "自动检测语言", "自動檢測語言"},
    {"Exit", "退出", "退出"},
    {"Lenscout", "Lenscout", "Lenscout"},
    {"Socket Error !", "Socket 错误 !", "Socket 錯誤 !"},
    {"Thread Error !", "线程错误 !", "線程錯誤 !"},
    {"Subnet doesn't match, dbclick to change !", "子网不匹配, 双击改变设置 !", "子網不匹配, 雙擊改變設置 !"},
    {"Web UI doest not exist, dbclick to upgrade !", "应用固件不存在, 双击升级 !", "應用固件不存在, 雙擊升級 !"},
    {"Anonymous", "佚名", "佚名"},
    {"Basic Properties", "基本属性", "基本屬性"},
    {"Network Configuration", "网络配置", "網絡配置"},
    {"Upgrade Firmware", "升级固件", "升級固件"},
    {"The camera did not confirm the upload !", "摄像机没有确认升级 !", "攝像機沒有確認升級 !"},
    {"The camera broke off the upload !", "摄像机中断了升级 !", "攝像機中斷了升級 !"},
    {"Cannot read the file !", "无法读取文件 !", "無法讀取文件 !"},
    {"This is a folder, not a file !", "这是文件夹, 不是文件 !", "這是資料夾, 不是文件 !"},
    {"Not a regular file !", "不是普通文件 !", "不是普通文件 !"},
};

TEST(StringTable, EveryRowMatchesTheReferenceInAllThreeLanguages) {
    for (int row = 0; row < kStringRows; ++row)
        for (int column = 0; column < kLanguageColumns; ++column)
            EXPECT_EQ(std::string(StringTable[row][column]), utf8ToGbk(kReference[row][column]))
                << "row " << row << " column " << column << ": " << gbkToUtf8(StringTable[row][column]);
}

TEST(StringTable, ChineseColumnsHoldGbkNotUtf8) {
    // "Exit" in Chinese: two characters, two bytes each.
    EXPECT_EQ(std::string(StringTable[32][1]), "\xcd\xcb\xb3\xf6");
    EXPECT_EQ(std::string(StringTable[32][2]), "\xcd\xcb\xb3\xf6");
}

TEST(StringTable, SelectLanguagePicksAColumnForEveryRow) {
    SelectLanguage(kTraditionalChinese);
    for (int row = 1; row < kStringRows; ++row) EXPECT_EQ(CurrentText(row), StringTable[row][2]) << row;
    SelectLanguage(kSimplifiedChinese);
    for (int row = 1; row < kStringRows; ++row) EXPECT_EQ(CurrentText(row), StringTable[row][1]) << row;
    for (int other : {kEnglish, 0, 4, -1}) {
        SelectLanguage(other);
        EXPECT_STREQ(CurrentText(kTextAnonymous), "Anonymous") << other;
    }
    EXPECT_STREQ(CurrentText(0), "");
    EXPECT_STREQ(CurrentText(kStringRows), "");
}

}  // namespace
}  // namespace lenscout
