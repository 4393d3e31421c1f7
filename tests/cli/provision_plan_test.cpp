// The judgement of a plan over the cameras that answered, apart from any
// network: the site as the plan leaves it, whatever the order of the rows.
#include <gtest/gtest.h>

#include "cli/provision_plan.h"
#include "discovery/camera_text.h"
#include "support/message_bytes.h"

namespace lenscout {
namespace {

CameraInfo camera(const char* id, const char* ip) {
    CameraInfo c{};
    setFieldText(c.deviceId, id);
    c.ip = test::ip(ip);
    return c;
}

Change change(const CameraInfo& current, const char* to, int line, bool dhcp = false) {
    Change c;
    c.row.id = fieldText(current.deviceId);
    c.row.line = line;
    c.row.dhcp = dhcp;
    c.current = current;
    c.wanted = current;
    if (to) c.wanted.ip = test::ip(to);
    if (!dhcp && c.wanted.ip == current.ip) c.outcome = Outcome::Unchanged;
    return c;
}

struct Judged {
    std::vector<std::string> errors, warnings;
};

Judged judge(std::vector<Change> changes, const std::vector<CameraInfo>& everyone) {
    Judged j;
    judgeEndState(changes, everyone, {}, &j.errors, &j.warnings);
    if (j.errors.empty()) orderMoves(changes, &j.errors);
    return j;
}

// CAM1 onto .20, where CAM2 stays: refused whether CAM2's row comes first,
// last, or not at all.
TEST(ProvisionPlan, AMoveOntoAKeptAddressIsRefusedInEveryOrder) {
    const CameraInfo one = camera("CAM1", "10.0.0.10"), two = camera("CAM2", "10.0.0.20");
    const std::string message = "line 2: CAM1: 10.0.0.20 would be held by 2 devices once the plan is done: CAM1, CAM2";
    for (const auto& rows : {std::vector<Change>{change(one, "10.0.0.20", 2), change(two, nullptr, 3)},
                             std::vector<Change>{change(two, nullptr, 3), change(one, "10.0.0.20", 2)},
                             std::vector<Change>{change(one, "10.0.0.20", 2)}}) {
        const Judged j = judge(rows, {one, two});
        EXPECT_EQ(j.errors, std::vector<std::string>{message});
    }
    // A second device that answers with a planned camera's ID stays where it is.
    CameraInfo cloned = camera("CAM3", "10.0.0.30");
    cloned.conflict = 1;
    cloned.conflictIp = test::ip("10.0.0.40");
    EXPECT_EQ(judge({change(one, "10.0.0.40", 2)}, {one, cloned}).errors,
              std::vector<std::string>{"line 2: CAM1: 10.0.0.40 would be held by 2 devices once the plan is done: "
                                       "CAM1, CAM3 (its second device)"});
}

// A camera that leaves an address frees it; cameras left together at the
// factory address are a warning, not a refusal; one that goes to DHCP
// gives its address up.
TEST(ProvisionPlan, FreedAddressesAndWhatStaysShared) {
    const CameraInfo a = camera("A", "192.168.1.64"), b = camera("B", "192.168.1.64"), c = camera("C", "192.168.1.64"),
                     d = camera("D", "10.0.0.5");
    Judged j = judge({change(a, "10.0.0.1", 2)}, {a, b, c, d});
    EXPECT_TRUE(j.errors.empty()) << j.errors[0];
    EXPECT_EQ(j.warnings,
              std::vector<std::string>{"192.168.1.64 is still shared by 2 cameras once the plan is done: B, C"});
    j = judge({change(a, "10.0.0.5", 2), change(d, nullptr, 3, true)}, {a, d});
    EXPECT_TRUE(j.errors.empty()) << j.errors[0];
    EXPECT_TRUE(j.warnings.empty());
}

// A chain is put in order: the camera that holds an address leaves it
// before another takes it. Two that trade addresses cannot be ordered so.
TEST(ProvisionPlan, ChainsAreOrderedAndSwapsRefused) {
    const CameraInfo a = camera("A", "10.0.0.1"), b = camera("B", "10.0.0.2"), c = camera("C", "10.0.0.3");
    std::vector<Change> chain = {change(a, "10.0.0.2", 2), change(b, "10.0.0.3", 3), change(c, "10.0.0.4", 4)};
    std::vector<std::string> errors, warnings;
    judgeEndState(chain, {a, b, c}, {}, &errors, &warnings);
    orderMoves(chain, &errors);
    EXPECT_TRUE(errors.empty()) << errors[0];
    EXPECT_EQ(chain[0].after, std::vector<size_t>{1});
    EXPECT_EQ(chain[1].after, std::vector<size_t>{2});
    EXPECT_TRUE(chain[2].after.empty());

    const Judged swap =
        judge({change(a, "10.0.0.2", 2), change(b, "10.0.0.1", 3), change(c, "10.0.0.9", 4)}, {a, b, c});
    ASSERT_EQ(swap.errors.size(), 2u);
    EXPECT_EQ(swap.errors[0].rfind("line 2: A: its new address 10.0.0.2 is held by a camera that the plan moves", 0),
              0u)
        << swap.errors[0];
    EXPECT_EQ(swap.errors[1].rfind("line 3: B: its new address 10.0.0.1", 0), 0u) << swap.errors[1];
}

// This computer's own address is never a camera's.
TEST(ProvisionPlan, ThisComputersAddress) {
    const CameraInfo a = camera("A", "10.0.0.1");
    Ipv4Interface own{};
    own.addr = test::ip("10.0.0.100");
    std::vector<std::string> errors, warnings;
    judgeEndState({change(a, "10.0.0.100", 2)}, {a}, {own}, &errors, &warnings);
    EXPECT_EQ(errors, std::vector<std::string>{"line 2: A: 10.0.0.100 is this computer's address"});
}

}  // namespace
}  // namespace lenscout
