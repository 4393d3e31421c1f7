// Uploads to several cameras at once, on real loopback connections: every
// camera gets the image once, the watcher sees the progress on the calling
// thread, and a stop leaves the cameras not yet started untouched.
#include "site/upload_jobs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "support/loopback_camera.h"

namespace lenscout {
namespace {

class UploadJobsTest : public testing::Test {
protected:
    void SetUp() override {
        // One file per test: ctest runs the tests side by side.
        path = testing::TempDir() + "lenscout-jobs-" + testing::UnitTest::GetInstance()->current_test_info()->name() +
               ".bin";
        std::ofstream(path, std::ios::binary) << "BNEG" + std::string(200 * 1024, 'x');
        ASSERT_EQ(image.open(path), UploadFailure::None);
    }
    void TearDown() override {
        image.close();
        std::remove(path.c_str());
    }
    std::vector<UploadProgress> rows(const std::vector<std::unique_ptr<test::LoopbackCamera>>& cameras) {
        std::vector<UploadProgress> out;
        for (const auto& c : cameras) {
            UploadProgress p;
            c->describe(&p.camera);
            p.id = std::string(fieldText(p.camera.deviceId));
            out.push_back(p);
        }
        return out;
    }
    std::string path;
    ImageFile image;
    Credentials credentials = [] {
        Credentials c{};
        setFieldText(c.user, "admin");
        setFieldText(c.password, "pw");
        return c;
    }();
};

TEST_F(UploadJobsTest, EveryCameraOnceWithThreeAtATime) {
    std::vector<std::unique_ptr<test::LoopbackCamera>> cameras;
    for (int i = 0; i < 4; ++i) cameras.push_back(std::make_unique<test::LoopbackCamera>("ok"));
    UploadJobs jobs(rows(cameras), UpgradeKind::SystemFirmware, image, credentials);
    int watched = 0, ended = 0;
    jobs.afterEach([&](const UploadProgress& p) {
        ++ended;
        EXPECT_EQ(p.state, UploadState::Done);
    });
    jobs.run(3, 20, [&](const std::vector<UploadProgress>& now) {
        ++watched;
        EXPECT_EQ(now.size(), 4u);
    });
    EXPECT_EQ(ended, 4);
    EXPECT_GE(watched, 1);
    for (const UploadProgress& p : jobs.snapshot()) {
        EXPECT_EQ(p.state, UploadState::Done) << p.id;
        EXPECT_EQ(p.sent, 200 * 1024 + 4) << p.id;
    }
    for (const auto& c : cameras) EXPECT_NE(c->summary().find("outcome=received"), std::string::npos);
}

TEST_F(UploadJobsTest, AStopLetsTheRunningOneEndAndStartsNoOther) {
    std::vector<std::unique_ptr<test::LoopbackCamera>> cameras;
    for (int i = 0; i < 3; ++i) cameras.push_back(std::make_unique<test::LoopbackCamera>("slow-300"));
    UploadJobs jobs(rows(cameras), UpgradeKind::SystemFirmware, image, credentials);
    std::atomic<bool> stop{false};
    // The outcome of the one that ran is told as it ends, before the run is over.
    std::vector<std::string> ended;
    jobs.afterEach([&](const UploadProgress& p) { ended.push_back(p.id); });
    jobs.run(
        1, 20,
        [&](const std::vector<UploadProgress>& now) {
            if (now[0].state != UploadState::Waiting) stop = true;
        },
        [&] { return stop.load(); });
    const std::vector<UploadProgress> after = jobs.snapshot();
    EXPECT_EQ(after[0].state, UploadState::Done);
    EXPECT_EQ(after[1].state, UploadState::Interrupted);
    EXPECT_EQ(after[2].state, UploadState::Interrupted);
    EXPECT_EQ(ended, std::vector<std::string>{after[0].id});
}

}  // namespace
}  // namespace lenscout
