// The run's rules on a scripted LAN with a clock of its own: cameras that
// take seconds to apply a setting and seconds to refuse a password, so that
// each rule is seen in milliseconds of test time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "discovery/camera_text.h"
#include "discovery/message_ids.h"
#include "site/settings_run.h"
#include "support/message_bytes.h"

namespace lenscout {
namespace {

constexpr const char* kRightPassword = "right";

// A camera as the run meets it: it answers each search with the settings
// it holds, takes `applyMs` to hold new ones, and refuses a wrong password
// `refuseMs` after the request.
struct ScriptedCamera {
    CameraInfo record{};
    uint32_t applyMs = 2000;
    uint32_t refuseMs = 1500;
    NetworkPayload pending{};
    uint32_t appliesAt = 0;
    bool applying = false;
    int requests = 0;
};

class ScriptedLan : public CameraLink {
public:
    std::vector<ScriptedCamera> cameras;
    uint32_t clock = 100000;
    int maxInFlightSeen = 0;

    uint32_t now() override { return clock; }

    bool sendSettings(const CameraRequest& request) override {
        for (ScriptedCamera& c : cameras) {
            if (!sameText(c.record.deviceId, request.target.deviceId)) continue;
            ++c.requests;
            if (std::strcmp(request.credentials.password, kRightPassword) != 0) {
                events_.push_back({clock + c.refuseMs, nullptr, 5, c.record.sender});
                continue;
            }
            c.pending = request.network;
            c.appliesAt = clock + c.applyMs;
            c.applying = true;
        }
        return true;
    }

    void searchOften() override {
        if (clock - lastSearch_ < 500) return;
        lastSearch_ = clock;
        for (ScriptedCamera& c : cameras) {
            if (c.applying && static_cast<int32_t>(clock - c.appliesAt) >= 0) {
                c.record.ip = c.pending.ip, c.record.mask = c.pending.mask, c.record.gateway = c.pending.gateway;
                c.record.dns = c.pending.dns, c.record.httpPort = c.pending.httpPort;
                c.applying = false;
            }
            events_.push_back({clock + 10, &c, 0, 0});
        }
    }

    bool next(uint32_t until, SearchEvent* event) override {
        std::stable_sort(events_.begin(), events_.end(), [](const Due& a, const Due& b) { return a.at < b.at; });
        if (events_.empty() || static_cast<int32_t>(events_.front().at - until) > 0) {
            clock = until;
            return false;
        }
        const Due due = events_.front();
        events_.erase(events_.begin());
        clock = std::max(clock, due.at);
        event->camera = due.camera ? std::make_unique<CameraInfo>(due.camera->record) : nullptr;
        event->message = due.camera ? WM_CAMERA_FOUND : WM_SCAN_ERROR;
        event->code = due.code;
        event->sender = due.sender;
        return true;
    }

    void drop() override {}

private:
    struct Due {
        uint32_t at;
        ScriptedCamera* camera;
        int32_t code;
        uint32_t sender;
    };
    std::vector<Due> events_;
    uint32_t lastSearch_ = 0;
};

// `count` cameras at the factory address, each planned onto 10.0.0.(N+1).
struct Site {
    ScriptedLan lan;
    std::vector<Change> changes;

    explicit Site(int count, uint32_t applyMs = 2000, uint32_t refuseMs = 1500) {
        for (int i = 0; i < count; ++i) {
            ScriptedCamera c;
            setFieldText(c.record.deviceId, ("CAM" + std::to_string(i)).c_str());
            c.record.ip = c.record.sender = test::ip("192.168.1.64");
            c.record.mask = test::ip("255.255.255.0");
            c.record.gateway = test::ip("192.168.1.1");
            c.record.httpPort = toNetPortForTest(80);
            c.applyMs = applyMs;
            c.refuseMs = refuseMs;
            lan.cameras.push_back(c);
        }
        for (int i = 0; i < count; ++i) {
            Change ch;
            ch.row.line = i + 2;
            ch.row.id = fieldText(lan.cameras[i].record.deviceId);
            ch.current = lan.cameras[i].record;
            ch.wanted = ch.current;
            ch.wanted.ip = test::ip(("10.0.0." + std::to_string(i + 10)).c_str());
            ch.wanted.mask = test::ip("255.255.0.0");
            ch.wanted.gateway = test::ip("10.0.0.1");
            changes.push_back(ch);
        }
    }
    static uint16_t toNetPortForTest(uint16_t port) { return static_cast<uint16_t>((port >> 8) | (port << 8)); }

    // Runs with `password`; returns the test time it took.
    uint32_t run(const char* password, SendLimits limits = {256, 30000, -1}, std::function<bool()> stop = nullptr,
                 std::vector<RunNotice>* notices = nullptr) {
        Credentials credentials{};
        setFieldText(credentials.user, "admin");
        setFieldText(credentials.password, password);
        Journal journal({"", true}, "test");
        SendEvents events;
        events.notice = [notices](RunNotice n, int64_t) {
            if (notices) notices->push_back(n);
        };
        const uint32_t start = lan.clock;
        SettingsRun run(lan, changes, credentials, limits, journal, events,
                        stop ? stop : std::function<bool()>([] { return false; }));
        run.run();
        return lan.clock - start;
    }
    int camerasAsked() const {
        return static_cast<int>(std::count_if(lan.cameras.begin(), lan.cameras.end(),
                                              [](const ScriptedCamera& c) { return c.requests > 0; }));
    }
    int count(Outcome o) const {
        return static_cast<int>(
            std::count_if(changes.begin(), changes.end(), [o](const Change& c) { return c.outcome == o; }));
    }
};

// A wrong password reaches one camera however late the cameras refuse:
// the window waits for a confirmation, not for a second of silence.
TEST(SettingsRun, AWrongPasswordReachesOneCameraWhateverTheTiming) {
    for (const uint32_t refuseMs : {100u, 1500u, 4500u}) {
        Site site(20, 2000, refuseMs);
        std::vector<RunNotice> notices;
        site.run("wrong", {256, 30000, -1}, nullptr, &notices);
        EXPECT_EQ(site.camerasAsked(), 1) << refuseMs;
        EXPECT_EQ(site.changes[0].outcome, Outcome::Refused) << refuseMs;
        EXPECT_EQ(site.count(Outcome::NotSent), 19) << refuseMs;
        EXPECT_EQ(notices, std::vector<RunNotice>{RunNotice::StoppedAtRefusal}) << refuseMs;
    }
    // Going on past failures still sends one at a time until a camera confirms.
    Site site(5, 2000, 1500);
    site.run("wrong", {256, 30000, 2});
    EXPECT_EQ(site.camerasAsked(), 3);
    EXPECT_EQ(site.count(Outcome::Refused), 3);
    EXPECT_EQ(site.count(Outcome::NotSent), 2);
}

// With the right password, 200 cameras that take 2 s each are done well
// within 10 s: the first alone, the rest together once it confirmed.
TEST(SettingsRun, TheWindowOpensOnceTheFirstCameraConfirmed) {
    Site site(200);
    const uint32_t took = site.run(kRightPassword);
    EXPECT_EQ(site.count(Outcome::Confirmed), 200);
    EXPECT_LT(took, 10000u);
    for (const ScriptedCamera& c : site.lan.cameras) EXPECT_EQ(c.requests, 1);
    EXPECT_EQ(site.changes[5].answer.ip, test::ip("10.0.0.15"));
}

// Once stopped, nothing more goes out: what is out ends interrupted, the
// rest not sent.
TEST(SettingsRun, AStopSendsNothingMore) {
    Site site(10);
    int asked = 0;
    site.run(kRightPassword, {256, 30000, -1}, [&] { return ++asked > 5; });
    EXPECT_EQ(site.camerasAsked(), 1);
    EXPECT_EQ(site.changes[0].outcome, Outcome::Interrupted);
    EXPECT_EQ(site.count(Outcome::NotSent), 9);
}

// A camera that never shows its settings ends not-confirmed after the
// wait; the run goes on without it, one at a time.
TEST(SettingsRun, ACameraThatNeverAppliesIsNotConfirmed) {
    Site site(3, 60000);
    site.lan.cameras[1].applyMs = 100;
    site.lan.cameras[2].applyMs = 100;
    site.run(kRightPassword, {256, 5000, -1});
    EXPECT_EQ(site.changes[0].outcome, Outcome::NotConfirmed);
    EXPECT_EQ(site.changes[1].outcome, Outcome::Confirmed);
    EXPECT_EQ(site.changes[2].outcome, Outcome::Confirmed);
}

}  // namespace
}  // namespace lenscout
