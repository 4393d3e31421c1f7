// Who may be listed, and when two devices answer with one ID: the rules on
// their own, period by period, with no network.
#include "discovery/reply_identities.h"

#include <gtest/gtest.h>

#include <string>

#include "discovery/camera_text.h"
#include "discovery/reply_checks.h"
#include "discovery/request_senders.h"
#include "support/message_bytes.h"

namespace lenscout {
namespace {

using test::ip;

CameraInfo reply(const char* id, const char* sender, const char* claimed) {
    CameraInfo c{};
    setFieldText(c.deviceId, id);
    c.sender = ip(sender);
    c.ip = ip(claimed);
    return c;
}

// Hears one reply in `period` and says whether it came out marked.
bool heard(ReplyIdentities& ids, const char* id, const char* sender, const char* claimed, uint32_t period) {
    CameraInfo c = reply(id, sender, claimed);
    ids.hear(c, period);
    return c.conflict != 0;
}

TEST(ReplyIdentities, TwoSendersOrTwoAddressesInOnePeriodAreAConflictUntilAPeriodWithOne) {
    ReplyIdentities ids;
    EXPECT_FALSE(heard(ids, "A", "10.0.0.5", "10.0.0.5", 1));
    EXPECT_FALSE(heard(ids, "A", "10.0.0.5", "10.0.0.5", 1)) << "the same device twice, as on two links";
    CameraInfo second = reply("A", "10.0.0.9", "10.0.0.5");
    ids.hear(second, 1);
    EXPECT_EQ(second.conflict, 1);
    EXPECT_EQ(second.conflictSender, ip("10.0.0.5"));
    EXPECT_EQ(second.conflictIp, ip("10.0.0.5"));
    EXPECT_TRUE(heard(ids, "A", "10.0.0.5", "10.0.0.5", 2)) << "the period after still shows it";
    EXPECT_FALSE(heard(ids, "A", "10.0.0.5", "10.0.0.5", 3)) << "a whole period with one device ends it";
    // One sender claiming two addresses in one period.
    EXPECT_FALSE(heard(ids, "B", "10.0.0.7", "10.0.0.7", 3));
    EXPECT_TRUE(heard(ids, "B", "10.0.0.7", "10.0.0.8", 3));
    EXPECT_FALSE(heard(ids, "C", "10.0.0.7", "10.0.0.8", 3)) << "another ID is another device";
}

// Two clones behind one factory address: the same sender, the same claimed
// address, and replies that differ in what else they say.
TEST(ReplyIdentities, TwoDifferentRepliesFromOneSenderAreTwoDevices) {
    ReplyIdentities ids;
    CameraInfo first = reply("F", "192.168.1.64", "192.168.1.64");
    setFieldText(first.name, "lobby");
    first.firmwareVersion = 0x01020304;
    CameraInfo again = first, clone = first;
    ids.hear(first, 1);
    ids.hear(again, 1);
    EXPECT_EQ(again.conflict, 0) << "one camera answers alike each time";
    setFieldText(clone.name, "gate");
    ids.hear(clone, 1);
    EXPECT_EQ(clone.conflict, 1);
    EXPECT_EQ(clone.conflictSender, ip("192.168.1.64"));
    CameraInfo newer = first;
    newer.firmwareVersion = 0x01020305;
    ids.hear(newer, 1);
    EXPECT_EQ(newer.conflict, 1) << "another version is another device too";
}

// A request moves a camera: its next reply, from its new address, is not
// taken for a second device.
TEST(ReplyIdentities, ARequestLetsTheCameraMove) {
    ReplyIdentities ids;
    EXPECT_FALSE(heard(ids, "A", "10.0.0.5", "10.0.0.5", 1));
    ids.forget("A");
    EXPECT_FALSE(heard(ids, "A", "10.0.0.6", "10.0.0.6", 1));
}

// Full, it forgets the ID heard least recently; the ones heard since stay.
TEST(ReplyIdentities, AFloodEvictsTheLeastRecentlyHeard) {
    ReplyIdentities ids(3);
    heard(ids, "REAL", "10.0.0.5", "10.0.0.5", 1);
    heard(ids, "F1", "10.0.0.66", "10.0.0.1", 1);
    heard(ids, "REAL", "10.0.0.5", "10.0.0.5", 1);
    heard(ids, "F2", "10.0.0.66", "10.0.0.2", 1);
    heard(ids, "F3", "10.0.0.66", "10.0.0.3", 1);  // F1 goes
    EXPECT_EQ(ids.size(), 3u);
    EXPECT_TRUE(heard(ids, "REAL", "10.0.0.66", "10.0.0.5", 1)) << "REAL was remembered";
}

TEST(RequestSenders, AResultCountsFromTheCameraForFiveSeconds) {
    RequestSenders senders;
    EXPECT_FALSE(senders.expects(ip("10.0.0.5"), 1000)) << "no request, no result";
    senders.sent(ip("10.0.0.5"), 1000);
    EXPECT_TRUE(senders.expects(ip("10.0.0.5"), 1001));
    EXPECT_FALSE(senders.expects(ip("10.0.0.6"), 1001));
    EXPECT_TRUE(senders.expects(ip("10.0.0.5"), 1000 + kResultWindowMs - 1));
    EXPECT_FALSE(senders.expects(ip("10.0.0.5"), 1000 + kResultWindowMs));
    senders.sent(0, 9000);  // a record that came off no network names nobody
    EXPECT_FALSE(senders.expects(ip("10.0.0.5"), 9001));
}

TEST(ReplyChecks, ThisComputerAndAddressesNoCameraHolds) {
    const std::vector<Ipv4Interface> links = {{ip("127.0.0.1"), ip("255.0.0.0"), 1, true, false, true},
                                              {ip("192.168.77.1"), ip("255.255.255.0"), 2, true, true, false},
                                              {ip("10.1.0.1"), ip("255.255.0.0"), 3, false, true, false}};
    for (const char* s : {"127.0.0.1", "127.8.9.10", "192.168.77.1", "10.1.0.1"})
        EXPECT_TRUE(sentByThisComputer(ip(s), &links)) << s;
    EXPECT_FALSE(sentByThisComputer(ip("192.168.77.9"), &links));
    EXPECT_TRUE(sentByThisComputer(ip("127.0.0.1"), nullptr));
    for (const char* a : {"0.0.0.0", "0.1.2.3", "127.0.0.9", "224.0.0.251", "239.1.1.1", "255.255.255.255",
                          "192.168.77.255", "10.1.255.255"})
        EXPECT_TRUE(unusableCameraAddress(ip(a), &links)) << a;
    for (const char* a : {"192.168.77.9", "10.1.2.3", "223.255.255.254", "1.0.0.0"})
        EXPECT_FALSE(unusableCameraAddress(ip(a), &links)) << a;
}

}  // namespace
}  // namespace lenscout
