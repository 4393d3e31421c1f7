#include "tools/camsim/sim_camera.h"

#include <gtest/gtest.h>

#include "discovery/camera_text.h"
#include "discovery/discovery_messages.h"
#include "protocol/packet_header.h"

namespace lenscout {
namespace {

SetNetworkRequest requestFor(const CameraInfo& settings) {
    PacketWriter w;
    buildSetNetworkRequest(w, settings);
    DatagramReader r;
    r.load(w.data(), static_cast<size_t>(w.length()));
    uint16_t command = 0;
    SetNetworkRequest q{};
    EXPECT_TRUE(r.parseHeader(&command, kDiscoveryMagic));
    EXPECT_TRUE(parseSetNetwork(r, &q));
    return q;
}

TEST(SimCamera, ReplyRoundTripsThroughTheSystemsParser) {
    SimCamera c = defaultCamera(3, 0, 0);
    std::string error;
    ASSERT_TRUE(applyCameraSettings(&c, "name-hex=c9e3cff1cdb7,ip=10.0.0.3,mask=255.0.0.0,port=8080,webui=0", &error))
        << error;
    PacketWriter w;
    buildSearchReply(w, c);
    DatagramReader r;
    r.load(w.data(), static_cast<size_t>(w.length()));
    uint16_t command = 0;
    ASSERT_TRUE(r.parseHeader(&command, kDiscoveryMagic));
    EXPECT_EQ(command, CMD_SEARCH_REPLY);
    const auto info = parseSearchReply(r);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(fieldText(info->deviceId), "CAM000003");
    EXPECT_EQ(fieldText(info->name), "\xc9\xe3\xcf\xf1\xcd\xb7");
    EXPECT_EQ(dottedQuad(info->ip), "10.0.0.3");
    EXPECT_EQ(toHostPort(info->httpPort), 8080);
    EXPECT_EQ(info->webUiVersion, 0u);
}

TEST(SimCamera, SetNetworkNeedsItsIdAndCredentials) {
    SimCamera c = defaultCamera(1, 0, 0);
    c.password = "pw";
    CameraInfo s{};
    setFieldText(s.deviceId, "CAM000002");
    setFieldText(s.user, "admin");
    setFieldText(s.password, "pw");
    parseIpv4("10.9.9.9", &s.ip);
    s.httpPort = toNetPort(81);
    EXPECT_EQ(applySetNetwork(c, requestFor(s)), SetOutcome::NotMine);
    setFieldText(s.deviceId, "CAM000001");
    setFieldText(s.password, "wrong");
    EXPECT_EQ(applySetNetwork(c, requestFor(s)), SetOutcome::BadCredentials);
    setFieldText(s.password, "pw");
    EXPECT_EQ(applySetNetwork(c, requestFor(s)), SetOutcome::Applied);
    EXPECT_EQ(dottedQuad(c.ip), "10.9.9.9");
    EXPECT_EQ(c.httpPort, 81);
}

TEST(SimCamera, RejectsBadSpecs) {
    SimCamera c = defaultCamera(1, 0, 0);
    std::string error;
    EXPECT_FALSE(applyCameraSettings(&c, "ip=300.1.1.1", &error));
    EXPECT_FALSE(applyCameraSettings(&c, "colour=red", &error));
    EXPECT_FALSE(applyCameraSettings(&c, "port=70000", &error));
}

}  // namespace
}  // namespace lenscout
