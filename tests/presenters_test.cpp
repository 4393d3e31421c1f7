// The dialogs' rules behind their views, with a view in memory: what the
// fields show afterwards, which message comes, and what the record holds.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "platform/socket.h"
#include "support/camera_records.h"
#include "ui/net_config_presenter.h"

namespace lenscout {
namespace {

class MemoryFields : public DialogFields {
public:
    std::string text(DialogField f) const override {
        const auto it = texts.find(f);
        return it == texts.end() ? "" : it->second;
    }
    void setText(DialogField f, const std::string& gbk) override { texts[f] = gbk; }
    std::map<DialogField, std::string> texts;
};

class MemoryNetConfig : public NetConfigView {
public:
    DialogFields& fields() override { return fields_; }
    void showMessage(int textRow) override { messages.push_back(CurrentText(textRow)); }
    bool dhcpChecked() const override { return dhcp; }
    void enableAddresses(bool enabled) override { addressesEnabled = enabled; }

    MemoryFields fields_;
    std::vector<std::string> messages;
    bool dhcp = false;
    bool addressesEnabled = true;
};

class NetConfigPresenter : public testing::Test {
protected:
    void SetUp() override {
        SelectLanguage(kEnglish);
        camera = test::camera("N1", "Gate", "192.168.77.5", 8080);
        parseIpv4("192.168.77.1", &camera.gateway);
        parseIpv4("192.168.77.1", &camera.dns);
        fillNetworkFields(view, camera);
        view.fields_.texts[DialogField::User] = "admin";
        view.fields_.texts[DialogField::Password] = "secret";
    }
    std::string field(DialogField f) { return view.fields_.text(f); }
    MemoryNetConfig view;
    CameraInfo camera{};
};

TEST_F(NetConfigPresenter, FieldsShowTheCameraAndDhcpZerosThem) {
    EXPECT_EQ(field(DialogField::Ip), "192.168.77.5");
    EXPECT_EQ(field(DialogField::Port), "8080");
    view.dhcp = true;
    OnDhcpClicked(view, camera);
    EXPECT_FALSE(view.addressesEnabled);
    EXPECT_EQ(field(DialogField::Mask), "0.0.0.0");
    view.dhcp = false;
    OnDhcpClicked(view, camera);
    EXPECT_TRUE(view.addressesEnabled);
    EXPECT_EQ(field(DialogField::Mask), "255.255.255.0");
}

TEST_F(NetConfigPresenter, OkTakesTheSettingsInNetworkOrderAndTheCutCredentials) {
    view.fields_.texts[DialogField::Ip] = "192.168.77.9";
    view.fields_.texts[DialogField::Port] = "65616";  // its low 16 bits: 80
    view.fields_.texts[DialogField::User] = "administrator";
    ASSERT_TRUE(acceptNetworkSettings(view, camera));
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(dottedQuad(camera.ip), "192.168.77.9");
    EXPECT_EQ(field(DialogField::Port), "80") << "the field shows the value that counts";
    EXPECT_EQ(fieldText(camera.user), "administrat");
    EXPECT_EQ(field(DialogField::User), "administrat");
    EXPECT_EQ(fieldText(camera.password), "secret");
}

TEST_F(NetConfigPresenter, ABadEntryOrNoUserKeepsTheRecordAsItWas) {
    const CameraInfo before = camera;
    view.fields_.texts[DialogField::Mask] = "255.0.255.0";
    EXPECT_FALSE(acceptNetworkSettings(view, camera));
    view.fields_.texts[DialogField::Mask] = "255.255.255.0";
    view.fields_.texts[DialogField::User] = "";
    EXPECT_FALSE(acceptNetworkSettings(view, camera));
    EXPECT_EQ(view.messages,
              (std::vector<std::string>{"The Subnet Mask setting is illegal !", "Incorrect user or password !"}));
    EXPECT_EQ(camera.ip, before.ip);
    EXPECT_EQ(camera.mask, before.mask);
    EXPECT_EQ(fieldText(camera.password), "") << "no password is read without a user";
}

}  // namespace
}  // namespace lenscout
