// The upload conversation's messages pinned byte for byte, in both
// directions, with the bytes written out from the wire layout.
#include <gtest/gtest.h>

#include "support/message_bytes.h"

#include <string>
#include <vector>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "protocol/stream_reader.h"
#include "tools/common/hex.h"
#include "upload/upgrade_messages.h"
#include "upload/upgrade_session.h"

namespace lenscout {
namespace {

using test::fromHex;

std::string header(const char* command, const char* length) {
    // clang-format off
    return std::string("4d4f5f4d") + command + "00" "0000000000000000" + length + length;
    // clang-format on
}

TEST(UploadPins, HelloAndLoginRequests) {
    PacketWriter w;
    ASSERT_TRUE(buildHelloRequest(w));
    EXPECT_EQ(hexOf(w.data(), static_cast<size_t>(w.length())), header("0000", "00000000"));
    Credentials c{};
    setFieldText(c.user, "admin");
    setFieldText(c.password, "pw");
    ASSERT_TRUE(buildLoginRequest(w, c));
    // clang-format off
    EXPECT_EQ(hexOf(w.data(), static_cast<size_t>(w.length())),
              header("0200", "1a000000") + "61646d696e" "0000000000000000" "7077" "0000000000000000000000");
    // clang-format on
}

TEST(UploadPins, DataBlockHeads) {
    uint8_t head[kDataHeadSize];
    storeDataHead(head, UpgradeKind::SystemFirmware, 0, 1024);
    // clang-format off
    EXPECT_EQ(hexOf(head, sizeof head), header("0c00", "05040000") + "00" "00040000");
    // clang-format on
    storeDataHead(head, UpgradeKind::WebUi, 2, 17);
    // clang-format off
    EXPECT_EQ(hexOf(head, sizeof head), header("0d00", "16000000") + "02" "11000000");
    // clang-format on
}

UploadFailure hello(const std::string& hex) {
    StreamReader r;
    const auto b = fromHex(hex);
    r.append(b.data(), b.size());
    char id[kIdSize] = {};
    setFieldText(id, "CAM1");
    return checkHelloReply(r, id);
}

UploadFailure login(const std::string& hex) {
    StreamReader r;
    const auto b = fromHex(hex);
    r.append(b.data(), b.size());
    return checkLoginReply(r);
}

TEST(UploadPins, HelloReplies) {
    // clang-format off
    const std::string id = "43414d31" "000000000000000000";  // CAM1, 13 bytes
    const std::string values = "01000000" "02000000" "03000000";
    // clang-format on
    EXPECT_EQ(hello(header("0100", "1b000000") + "0000" + id + values), UploadFailure::None);
    EXPECT_EQ(hello(header("0100", "1b000000") + "0100" + id + values), UploadFailure::None) << "only 2 means busy";
    EXPECT_EQ(hello(header("0100", "02000000") + "0200"), UploadFailure::CameraBusy) << "busy may end after its status";
    // clang-format off
    EXPECT_EQ(hello(header("0100", "1b000000") + "0000" "43414d32" "000000000000000000" + values), UploadFailure::WrongCamera);
    // clang-format on
    EXPECT_EQ(hello(header("0100", "17000000") + "0000" + id + "0100000002000000"), UploadFailure::UnknownReply)
        << "a value short";
    EXPECT_EQ(hello(header("0300", "1b000000") + "0000" + id + values), UploadFailure::UnknownReply) << "a login reply";
    EXPECT_EQ(hello(std::string("4d4f5f49") + header("0100", "1b000000").substr(8) + "0000" + id + values),
              UploadFailure::UnknownReply)
        << "the discovery magic";
}

TEST(UploadPins, LoginReplies) {
    EXPECT_EQ(login(header("0300", "02000000") + "0000"), UploadFailure::None);
    EXPECT_EQ(login(header("0300", "02000000") + "0100"), UploadFailure::LoginRefused);
    EXPECT_EQ(login(header("0300", "02000000") + "0001"), UploadFailure::LoginRefused) << "the status is little-endian";
    EXPECT_EQ(login(header("0100", "02000000") + "0000"), UploadFailure::UnknownReply) << "a hello reply";
}

}  // namespace
}  // namespace lenscout
