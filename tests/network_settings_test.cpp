#include "ui/network_settings.h"

#include <gtest/gtest.h>

#include "discovery/camera_text.h"

namespace lenscout {
namespace {

struct Case {
    const char* rule;
    int32_t port;
    const char *ip, *mask, *gateway, *dns;
    SettingsError expected;
};

// Each row: what the user typed, and the message it brings (0 for none).
const Case kCases[] = {
    {"a plain camera", 80, "192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.1", SettingsError::None},
    {"port 8080", 8080, "192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.1", SettingsError::None},
    {"port 65535", 65535, "192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.1", SettingsError::None},
    {"port 0 (also an empty field)", 0, "192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.1",
     SettingsError::BadPort},
    {"the discovery port", 10000, "192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.1",
     SettingsError::BadPort},
    {"65536 is 0 in 16 bits", 65536, "192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.1",
     SettingsError::BadPort},
    {"65536 + 10000 is the discovery port", 75536, "192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.1",
     SettingsError::BadPort},
    {"a negative port's low bits count", -65536 + 81, "192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.1",
     SettingsError::None},
    {"the port is checked first", 0, "224.0.0.1", "1.2.3.4", "5.6.7.8", "0.0.0.0", SettingsError::BadPort},
    {"a network address", 80, "192.168.1.0", "255.255.255.0", "192.168.1.1", "192.168.1.1", SettingsError::BadMask},
    {"a broadcast address is a host here", 80, "192.168.1.255", "255.255.255.0", "192.168.1.1", "192.168.1.1",
     SettingsError::None},
    {"mask 255.255.255.255", 80, "192.168.1.11", "255.255.255.255", "192.168.1.11", "192.168.1.1",
     SettingsError::BadMask},
    {"mask 255.255.255.254, odd address", 80, "192.168.1.11", "255.255.255.254", "192.168.1.10", "192.168.1.1",
     SettingsError::None},
    {"mask 255.255.255.254, even address", 80, "192.168.1.10", "255.255.255.254", "192.168.1.11", "192.168.1.1",
     SettingsError::BadMask},
    {"widest mask 224.0.0.0", 80, "10.0.0.5", "224.0.0.0", "10.0.0.1", "10.0.0.1", SettingsError::None},
    {"mask 192.0.0.0", 80, "10.0.0.5", "192.0.0.0", "10.0.0.1", "10.0.0.1", SettingsError::BadMask},
    {"a mask with a hole", 80, "10.0.0.5", "255.0.255.0", "10.0.0.1", "10.0.0.1", SettingsError::BadMask},
    {"a multicast address", 80, "224.0.0.1", "255.255.255.0", "224.0.0.2", "10.0.0.1", SettingsError::BadAddress},
    {"this-network address", 80, "0.1.2.3", "255.0.0.0", "0.1.2.1", "10.0.0.1", SettingsError::BadAddress},
    {"1.0.0.1 is fine", 80, "1.0.0.1", "255.0.0.0", "1.0.0.2", "1.0.0.3", SettingsError::None},
    {"loopback is fine", 80, "127.0.0.1", "255.0.0.0", "127.0.0.2", "127.0.0.3", SettingsError::None},
    {"gateway 0.0.0.0", 80, "192.168.1.10", "255.255.255.0", "0.0.0.0", "192.168.1.1", SettingsError::BadGateway},
    {"gateway in another subnet", 80, "192.168.1.10", "255.255.255.0", "192.168.2.1", "192.168.1.1",
     SettingsError::BadGateway},
    {"DNS 0.0.0.0", 80, "192.168.1.10", "255.255.255.0", "192.168.1.1", "0.0.0.0", SettingsError::BadDns},
    {"DNS multicast", 80, "192.168.1.10", "255.255.255.0", "192.168.1.1", "239.1.1.1", SettingsError::BadDns},
    {"DNS anywhere usable", 80, "192.168.1.10", "255.255.255.0", "192.168.1.1", "8.8.8.8", SettingsError::None},
    {"a text that is no address", 80, "not an address", "255.255.255.0", "192.168.1.1", "8.8.8.8",
     SettingsError::BadAddress},
};

TEST(ValidateNetworkSettings, FixedAddressRules) {
    for (const Case& c : kCases) {
        const NetworkSettings s = ValidateNetworkSettings(c.port, false, c.ip, c.mask, c.gateway, c.dns);
        EXPECT_EQ(s.error, c.expected) << c.rule;
    }
}

TEST(ValidateNetworkSettings, AcceptedValuesComeInNetworkOrder) {
    const NetworkSettings s =
        ValidateNetworkSettings(65536 + 81, false, "192.168.1.10", "255.255.255.0", "192.168.1.1", "8.8.4.4");
    ASSERT_EQ(s.error, SettingsError::None);
    EXPECT_EQ(s.port, 81);
    EXPECT_EQ(dottedQuad(s.ip), "192.168.1.10");
    EXPECT_EQ(dottedQuad(s.mask), "255.255.255.0");
    EXPECT_EQ(dottedQuad(s.gateway), "192.168.1.1");
    EXPECT_EQ(dottedQuad(s.dns), "8.8.4.4");
}

TEST(ValidateNetworkSettings, DhcpLooksOnlyAtThePort) {
    NetworkSettings s = ValidateNetworkSettings(80, true, "junk", "", nullptr, "224.0.0.1");
    EXPECT_EQ(s.error, SettingsError::None);
    EXPECT_EQ(s.ip | s.mask | s.gateway | s.dns, 0u);
    s = ValidateNetworkSettings(65536, true, "", "", "", "");
    EXPECT_EQ(s.error, SettingsError::BadPort);
    EXPECT_EQ(s.port, 0) << "the field then shows 0";
}

}  // namespace
// A user name or password is cut to 11 GBK bytes, never inside a character:
// 管理员 is b9dc c0ed d4b1.
// The field is read as the dialog's integer read would: whatever is no
// number, or does not fit 32 bits, is 0; the low 16 bits decide later.
TEST(PortField, ReadsASignedNumberOrZero) {
    EXPECT_EQ(portFieldValue("80"), 80);
    EXPECT_EQ(portFieldValue(" 8080 "), 8080);
    EXPECT_EQ(portFieldValue("65617"), 65617);
    EXPECT_EQ(portFieldValue("-1"), -1);
    EXPECT_EQ(portFieldValue(""), 0);
    EXPECT_EQ(portFieldValue("   "), 0);
    EXPECT_EQ(portFieldValue("8o"), 0);
    EXPECT_EQ(portFieldValue("2147483648"), 0);
    EXPECT_EQ(portFieldValue("99999999999999999999"), 0);
    EXPECT_EQ(ValidateNetworkSettings(portFieldValue("65617"), true, "", "", "", "").port, 81);
}

TEST(CredentialCut, ElevenBytesAndNoHalfCharacter) {
    EXPECT_EQ(cutGbkCredential("abcdefghi\xb9\xdc"), "abcdefghi\xb9\xdc");
    EXPECT_EQ(cutGbkCredential("abcdefghij\xb9\xdc"), "abcdefghij");
    EXPECT_EQ(cutGbkCredential("\xb9\xdc\xc0\xed\xd4\xb1\xb9\xdc\xc0\xed\xd4\xb1"),
              "\xb9\xdc\xc0\xed\xd4\xb1\xb9\xdc\xc0\xed");
    EXPECT_EQ(cutGbkCredential("abcdefghijkl"), "abcdefghijk");
}

}  // namespace lenscout
