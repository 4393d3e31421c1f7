// The camera list fed by the discovery worker, with simulated cameras
// appearing, falling silent and coming back on the virtual LAN.
#include "ui/camera_list.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "discovery/discovery_worker.h"
#include "discovery/message_ids.h"
#include "support/sim_process.h"
#include "support/worker_run.h"
#include "ui/camera_line.h"
#include "ui/memory_list_lines.h"

namespace lenscout {
namespace {

using test::SimProcess;

class LiveCameraList : public testing::Test {
protected:
    void SetUp() override {
        SelectLanguage(kEnglish);
        run.observer = [this](const ThreadMessage& m, const CameraInfo* record) {
            if (record) list.OnCameraFound(std::make_unique<CameraInfo>(*record));
            if (m.message == WM_SCAN_ERROR) actions.push_back(OnScanError(paramCode(m.wParam)));
            if (m.message != WM_SCAN_TICK) return;
            list.OnScanTick();
            checkInStep();
        };
    }

    // After every tick: one line per record, each in the current language.
    void checkInStep() {
        ++sweeps;
        if (lines.count() != static_cast<int>(list.cameras().size())) ++outOfStep;
        for (size_t i = 0; i < list.cameras().size() && i < lines.lines().size(); ++i)
            if (lines.lines()[i] != FormatCameraLine(list.cameras()[i])) ++outOfStep;
    }

    // A search now (or kMinSearchGapMs after the last), its tick, and time
    // for the replies.
    void searchAndWait() {
        run.drain(50);  // a tick already waiting is not this search's
        ASSERT_TRUE(postSearchNow(run.id()));
        ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1000));
        run.drain(400);
    }

    std::vector<std::string> ids() const {
        std::vector<std::string> out;
        for (const CameraInfo& c : list.cameras()) out.emplace_back(fieldText(c.deviceId));
        return out;
    }

    MemoryListLines lines;
    CameraList list{lines};
    test::WorkerRun run;
    std::vector<ScanErrorAction> actions;
    int sweeps = 0;
    int outOfStep = 0;
};

TEST_F(LiveCameraList, CamerasAppearVanishAndComeBackAtTheEnd) {
    auto back = std::make_unique<SimProcess>(2, std::vector<std::string>{"--delay", "0", "--camera", "id=BACK"});
    // The steady cameras answer 150 ms late, so that BACK comes first even
    // on a machine busy with sanitized builds.
    SimProcess steady(1, {"--delay", "150", "--count", "1", "--camera", "id=FAR,ip=10.9.8.7"});
    ASSERT_TRUE(back->ok() && steady.ok());
    searchAndWait();
    EXPECT_EQ(ids(), (std::vector<std::string>{"BACK", "CAM000001", "FAR"}));

    back.reset();  // BACK answered the last search, so the next tick keeps it
    searchAndWait();
    EXPECT_EQ(ids(), (std::vector<std::string>{"BACK", "CAM000001", "FAR"}));
    searchAndWait();
    EXPECT_EQ(ids(), (std::vector<std::string>{"CAM000001", "FAR"}));

    back = std::make_unique<SimProcess>(2, std::vector<std::string>{"--delay", "0", "--camera", "id=BACK"});
    ASSERT_TRUE(back->ok());
    searchAndWait();
    EXPECT_EQ(ids(), (std::vector<std::string>{"CAM000001", "FAR", "BACK"}));

    SelectLanguage(kTraditionalChinese);
    searchAndWait();
    ASSERT_EQ(lines.count(), 3);
    EXPECT_EQ(lines.lines()[1].substr(kNameColumn), CurrentText(kTextSubnetMismatch));
    EXPECT_GE(sweeps, 6);
    EXPECT_EQ(outOfStep, 0);
}

TEST_F(LiveCameraList, OnlyTheWorkersOwnFailureWouldEndTheProgram) {
    SimProcess sim(1, {"--delay", "0", "--camera", "id=SIX,password=pw,authfail=6", "--camera",
                       "id=FORGER,password=pw,authfail=65534"});
    ASSERT_TRUE(sim.ok());
    searchAndWait();
    ASSERT_EQ(list.cameras().size(), 2u);
    for (const CameraInfo& camera : list.cameras()) {
        CameraRequest settings = requestTo(camera);
        setFieldText(settings.credentials.password, "wrong");
        ASSERT_TRUE(postSetNetwork(run.id(), settings));
    }
    ASSERT_TRUE(sim.waitForLine({"outcome=bad-credentials", "id=FORGER"}, 1000));
    run.drain(300);
    EXPECT_EQ(actions, std::vector<ScanErrorAction>{ScanErrorAction::IncorrectCredentials});
}

}  // namespace
}  // namespace lenscout
