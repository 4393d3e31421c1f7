// The judgement of a plan over the cameras that answered, apart from any
// network: the site as the plan leaves it, whatever the order of the rows.
#include <gtest/gtest.h>

#include "cli/plan_messages.h"
#include "discovery/camera_text.h"
#include "site/inventory_format.h"
#include "site/site_plan.h"
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

std::vector<std::string> texts(const std::vector<PlanIssue>& issues) {
    std::vector<std::string> out;
    for (const PlanIssue& i : issues) out.push_back(planIssueText(i));
    return out;
}

Judged judge(std::vector<Change>& changes, const std::vector<CameraInfo>& everyone,
             const std::vector<Ipv4Interface>& own = {}) {
    std::vector<PlanIssue> errors, warnings;
    judgeEndState(changes, everyone, own, &errors, &warnings);
    if (errors.empty()) orderMoves(changes, &errors);
    return {texts(errors), texts(warnings)};
}

Judged judge(std::vector<Change>&& changes, const std::vector<CameraInfo>& everyone) {
    return judge(changes, everyone);
}

// CAM1 onto .20, where CAM2 stays: refused whether CAM2's row comes first,
// last, or not at all.
TEST(ProvisionPlan, AMoveOntoAKeptAddressIsRefusedInEveryOrder) {
    const CameraInfo one = camera("CAM1", "10.0.0.10"), two = camera("CAM2", "10.0.0.20");
    const std::string message = "line 2: CAM1: 10.0.0.20 would be held by 2 devices once the plan is done: CAM1, CAM2";
    for (auto rows : {std::vector<Change>{change(one, "10.0.0.20", 2), change(two, nullptr, 3)},
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
    const Judged ordered = judge(chain, {a, b, c});
    EXPECT_TRUE(ordered.errors.empty()) << ordered.errors[0];
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
    std::vector<Change> moved = {change(a, "10.0.0.100", 2)};
    EXPECT_EQ(judge(moved, {a}, {own}).errors,
              std::vector<std::string>{"line 2: A: 10.0.0.100 is this computer's address"});
}

// No row may put a camera on an address that is not a host's: the
// network's own, its broadcast, its gateway or its DNS server.
TEST(ProvisionPlan, AddressesThatAreNoHosts) {
    CameraInfo a = camera("A", "10.0.0.7");
    a.mask = test::ip("255.255.255.0");
    a.gateway = test::ip("10.0.0.1");
    a.dns = test::ip("10.0.0.2");
    a.httpPort = 0x5000;  // 80
    const std::pair<const char*, const char*> refused[] = {
        {"10.0.0.255", "line 4: A: 10.0.0.255 is the network's broadcast address, which no camera can hold"},
        {"10.0.0.1", "line 4: A: 10.0.0.1 is its gateway's address, which no camera can hold"},
        {"10.0.0.2", "line 4: A: 10.0.0.2 is its DNS server's address, which no camera can hold"}};
    for (const auto& [to, message] : refused) {
        Change c;
        c.row.line = 4;
        c.row.id = "A";
        c.row.ip = to;
        c.current = a;
        std::vector<PlanIssue> errors;
        EXPECT_FALSE(planChange(c, &errors)) << to;
        EXPECT_EQ(texts(errors), std::vector<std::string>{message});
    }
    // The network's own address fails the dialog's mask rule first.
    Change c;
    c.row.line = 4;
    c.row.id = "A";
    c.row.ip = "10.0.0.0";
    c.current = a;
    std::vector<PlanIssue> errors;
    EXPECT_FALSE(planChange(c, &errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].setting, SettingsError::BadMask);
    // A host's address passes, and so does DHCP whatever the cells say.
    c.row.ip = "10.0.0.9";
    errors.clear();
    EXPECT_TRUE(planChange(c, &errors));
    c.row.ip = "10.0.0.255";
    c.row.dhcp = true;
    EXPECT_TRUE(planChange(c, &errors));
}

// A camera that did not answer, skipped, keeps the address planned for it.
TEST(ProvisionPlan, AMissingCameraKeepsItsPlannedAddress) {
    const CameraInfo a = camera("A", "10.0.0.1");
    Change missing;
    missing.row.line = 3;
    missing.row.id = "GONE";
    missing.outcome = Outcome::NotFound;
    missing.wanted.ip = test::ip("10.0.0.50");
    std::vector<Change> changes = {change(a, "10.0.0.50", 2), missing};
    EXPECT_EQ(judge(changes, {a}).errors,
              std::vector<std::string>{
                  "line 2: A: 10.0.0.50 would be held by 2 devices once the plan is done: A, GONE (not found)"});
}

}  // namespace
}  // namespace lenscout

namespace lenscout {
namespace {

// An inventory is a plan that changes nothing: every column reads back, and
// each row leaves its camera as it is, whether the inventory went to a file
// or to a terminal, and whatever the cameras' names hold.
TEST(InventoryAsPlan, EveryCameraReadsBackUnchanged) {
    CameraInfo plain = camera("CAM1", "10.0.0.10");
    plain.mask = test::ip("255.255.255.0");
    plain.gateway = test::ip("10.0.0.1");
    plain.dns = test::ip("10.0.0.2");
    plain.httpPort = toNetPort(80);
    plain.firmwareVersion = test::ip("1.2.3.4");
    plain.sender = plain.ip;
    setFieldText(plain.name, "Gate, \"north\"; =1+1");
    CameraInfo odd = camera("=CAM2", "192.168.7.200");
    odd.mask = test::ip("255.255.0.0");
    odd.gateway = test::ip("192.168.0.1");
    odd.dns = test::ip("8.8.8.8");
    odd.httpPort = toNetPort(8080);
    odd.sameSubnet = 1;
    odd.conflict = 1;
    odd.conflictSender = test::ip("192.168.7.9");
    setFieldText(odd.name, "\xb4\xf3\xc3\xc5\x07\ttab");  // GBK, a bell and a tab
    const std::vector<CameraInfo> cameras = {plain, odd};
    for (bool terminal : {false, true}) {
        const std::string csv = inventoryCsv(
            cameras, [](uint32_t) { return std::string("eth0"); }, terminal);
        std::vector<PlanRow> rows;
        std::vector<std::string> errors;
        ASSERT_TRUE(readPlan(csv, &rows, &errors)) << csv << (errors.empty() ? "" : errors[0]);
        ASSERT_EQ(rows.size(), cameras.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            Change c;
            c.row = rows[i];
            c.current = cameras[i];
            std::vector<PlanIssue> issues;
            ASSERT_TRUE(planChange(c, &issues)) << csv << planIssueText(issues.at(0));
            EXPECT_EQ(c.row.id, fieldText(cameras[i].deviceId));
            EXPECT_FALSE(c.row.dhcp);
            EXPECT_EQ(c.wanted.ip, c.current.ip) << csv;
            EXPECT_EQ(c.wanted.mask, c.current.mask);
            EXPECT_EQ(c.wanted.gateway, c.current.gateway);
            EXPECT_EQ(c.wanted.dns, c.current.dns);
            EXPECT_EQ(c.wanted.httpPort, c.current.httpPort);
        }
    }
}

}  // namespace
}  // namespace lenscout
