// The upload session against the simulator's misbehaving cameras.
#include "upload/upgrade_session.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "discovery/camera_text.h"
#include "platform/socket.h"
#include "support/open_descriptors.h"
#include "support/sim_process.h"

namespace lenscout {
namespace {

struct Recorder : UpgradeObserver {
    bool started = false;
    std::vector<int> progress;
    int64_t bytes = 0;
    std::vector<UploadFailure> failures;
    void onTransferStart() override { started = true; }
    void onProgress(int percent) override { progress.push_back(percent); }
    void onBytes(int64_t sent, int64_t) override { bytes = sent; }
    void onFailure(UploadFailure f) override { failures.push_back(f); }
};

// One camera per behaviour, each on its own HTTP port of camera host 1.
const char* const kBehaviours[] = {"ok",          "busy",         "wrong-id",      "login-refused",       "close-hello",
                                   "reset-login", "silent-hello", "wrong-command", "wrong-command-login", "split",
                                   "short-hello", "stall",        "reset-data",    "reset-mid",           "slow-2900",
                                   "slow-3100",   "reset-last",   "hold",          "trickle-512-100"};

class UpgradeSessionTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::string(std::getenv("LENSCOUT_VLAN_DIR")) + "/uploads";
        mkdir(dir_.c_str(), 0700);
        std::vector<std::string> args = {"--upload-dir", dir_, "--delay", "0"};
        for (size_t i = 0; i < std::size(kBehaviours); ++i) {
            args.push_back("--camera");
            args.push_back("id=" + idOf(i) + ",password=pw,port=" + std::to_string(8001 + i) +
                           ",upload=" + kBehaviours[i]);
        }
        sim_ = new test::SimProcess(1, args);
        scrambled_ = new test::SimProcess(
            2, {"--scramble", "1122334455667788", "--stray", "5", "--camera", "id=scrambled,password=pw,port=8100"});
    }
    static void TearDownTestSuite() {
        delete sim_;
        delete scrambled_;
    }

    // Behaviour names can be longer than a device ID.
    static std::string idOf(size_t index) { return "CAM-" + std::to_string(index); }

    static CameraInfo camera(const char* behaviour, int host = 1) {
        CameraInfo c{};
        size_t index = 0;
        while (index < std::size(kBehaviours) && std::string(kBehaviours[index]) != behaviour) ++index;
        setFieldText(c.deviceId, host == 1 ? idOf(index) : std::string(behaviour));
        parseIpv4(std::getenv(host == 1 ? "LENSCOUT_HOST_ADDR_1" : "LENSCOUT_HOST_ADDR_2"), &c.ip);
        c.httpPort = toNetPort(static_cast<uint16_t>(host == 1 ? 8001 + index : 8100));
        return c;
    }
    static std::string writeImage(size_t size) {
        const std::string path = dir_ + "/image-" + std::to_string(size) + ".bin";
        std::ofstream out(path, std::ios::binary);
        for (size_t i = 0; i < size; ++i) out.put(static_cast<char>((i * 7 + i / 1024) & 0xff));
        return path;
    }
    static std::string contentOf(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Runs a session; what went wrong, or None.
    UploadFailure upload(const CameraInfo& c, size_t size, Recorder* r, UpgradeKind kind = UpgradeKind::SystemFirmware,
                         uint32_t confirmLimitMs = kConfirmLimitMs) {
        ImageFile image;
        EXPECT_EQ(image.open(writeImage(size)), UploadFailure::None);
        limits.confirmMs = confirmLimitMs;
        const UpgradeResult result = UpgradeSession::run(kind, image, c, login, *r, limits, cancel_);
        EXPECT_EQ(result == UpgradeResult::Success, r->failures.empty());
        return r->failures.empty() ? UploadFailure::None : r->failures.back();
    }

    UploadLimits limits;
    UploadCancel* cancel_ = nullptr;
    // What every simulated camera takes.
    Credentials login = [] {
        Credentials c{};
        setFieldText(c.user, "admin");
        setFieldText(c.password, "pw");
        return c;
    }();
    static std::string dir_;
    static test::SimProcess* sim_;
    static test::SimProcess* scrambled_;
};
std::string UpgradeSessionTest::dir_;
test::SimProcess* UpgradeSessionTest::sim_ = nullptr;
test::SimProcess* UpgradeSessionTest::scrambled_ = nullptr;

TEST_F(UpgradeSessionTest, AnImageArrivesWhole) {
    ASSERT_TRUE(sim_->ok());
    Recorder r;
    EXPECT_EQ(upload(camera("ok"), 3000, &r), UploadFailure::None);
    EXPECT_TRUE(r.started);
    EXPECT_EQ(r.progress, (std::vector<int>{34, 68, 100}));
    ASSERT_TRUE(
        sim_->waitForLine({"upload id=CAM-0 outcome=received", "kind=12", "bytes=3000", "positions=012"}, 2000));
    EXPECT_EQ(contentOf(dir_ + "/CAM-0-firmware.bin"), contentOf(dir_ + "/image-3000.bin"));
}

// Sizes around every edge of the block layout. The simulator checks each
// block's header, position and length on its own; the progress is the
// block-by-block loop's, worked out here from the sizes alone.
TEST_F(UpgradeSessionTest, ImagesOfEveryEdgeSizeArriveBlockByBlock) {
    const size_t sizes[] = {0, 1, 1023, 1024, 1025, 256 * 1024, 256 * 1024 + 1, 600 * 1024, 3 * 1024 * 1024 + 17};
    for (size_t size : sizes) {
        Recorder r;
        ASSERT_EQ(upload(camera("ok"), size, &r), UploadFailure::None) << size;
        const size_t blocks = (size + 1023) / 1024;
        std::vector<int> progress;
        for (size_t k = 1; k <= blocks; ++k)
            progress.push_back(static_cast<int>(std::min(k * 1024, size) * 100 / size));
        EXPECT_EQ(r.progress, progress) << size;
        const std::string positions = blocks == 0   ? ""
                                      : blocks == 1 ? "2"
                                      : blocks == 2 ? "02"
                                      : blocks == 3 ? "012"
                                                    : "0112";
        // clang-format off
        ASSERT_TRUE(sim_->waitForLine({"upload id=CAM-0 outcome=received", " bytes=" + std::to_string(size) + " ",
                                       " blocks=" + std::to_string(blocks) + " positions=" + positions + " "},
                                      // clang-format on
                                      3000))
            << size;
        if (size) {
            EXPECT_EQ(contentOf(dir_ + "/CAM-0-firmware.bin"),
                      contentOf(dir_ + "/image-" + std::to_string(size) + ".bin"));
        }
    }
    EXPECT_EQ(sim_->violations(), std::vector<std::string>{});
}

TEST_F(UpgradeSessionTest, OneBlockImagesAndWebUi) {
    Recorder r;
    EXPECT_EQ(upload(camera("ok"), 1024, &r, UpgradeKind::WebUi), UploadFailure::None);
    EXPECT_TRUE(sim_->waitForLine({"kind=13", "bytes=1024", "blocks=1", "positions=2"}, 2000));
}

TEST_F(UpgradeSessionTest, EveryMisbehaviourHasItsText) {
    const struct {
        const char* camera;
        UploadFailure row;
    } cases[] = {
        {"busy", UploadFailure::CameraBusy},
        {"wrong-id", UploadFailure::WrongCamera},
        {"login-refused", UploadFailure::LoginRefused},
        {"close-hello", UploadFailure::ConnectionClosed},
        {"reset-login", UploadFailure::ConnectionClosed},
        {"wrong-command", UploadFailure::UnknownReply},
        {"wrong-command-login", UploadFailure::UnknownReply},
        {"split", UploadFailure::UnknownReply},
        {"short-hello", UploadFailure::UnknownReply},
    };
    for (const auto& c : cases) {
        Recorder r;
        EXPECT_EQ(upload(camera(c.camera), 10, &r), c.row) << c.camera;
        EXPECT_FALSE(r.started) << c.camera;
        EXPECT_EQ(r.failures.size(), 1u) << c.camera;
    }
}

TEST_F(UpgradeSessionTest, WrongCredentialsAndAnotherCamera) {
    Recorder r;
    CameraInfo c = camera("ok");
    setFieldText(login.password, "nope");
    EXPECT_EQ(upload(c, 10, &r), UploadFailure::LoginRefused);
    Recorder other;
    setFieldText(login.password, "pw");
    setFieldText(c.deviceId, "someone-else");
    EXPECT_EQ(upload(c, 10, &other), UploadFailure::WrongCamera);
}

TEST_F(UpgradeSessionTest, ScrambledRepliesBehindStrayBytesAreRead) {
    ASSERT_TRUE(scrambled_->ok());
    Recorder r;
    EXPECT_EQ(upload(camera("scrambled", 2), 2048, &r), UploadFailure::None);
    EXPECT_TRUE(scrambled_->waitForLine({"outcome=received", "bytes=2048", "positions=02"}, 2000));
}

TEST_F(UpgradeSessionTest, ASilentCameraTimesOutAfterThreeSeconds) {
    Recorder r;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(upload(camera("silent-hello"), 10, &r), UploadFailure::NoReply);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_GE(took.count(), 2900);
    EXPECT_LE(took.count(), 4000);
}

TEST_F(UpgradeSessionTest, NoCameraAtTheAddress) {
    Recorder r;
    CameraInfo c = camera("ok");
    c.httpPort = toNetPort(8999);
    EXPECT_EQ(upload(c, 10, &r), UploadFailure::CannotConnect);
}

// Each fault gives its text and leaves no descriptor open (socket and image
// file alike), and the next upload to a healthy camera goes through.
TEST_F(UpgradeSessionTest, FaultsLoseNothing) {
    const struct {
        const char* camera;
        size_t size;
        UploadFailure row;
    } cases[] = {
        {"reset-login", 10, UploadFailure::ConnectionClosed},  // after the hello
        {"reset-data", 8 << 20, UploadFailure::SocketError},   // after the login
        {"reset-mid", 8 << 20, UploadFailure::SocketError},    // in the middle
        {"slow-2900", 3000, UploadFailure::None},              // slow, but in time
        {"slow-3100", 10, UploadFailure::NoReply},             // too slow
    };
    for (const auto& c : cases) {
        const size_t before = test::openDescriptors();
        Recorder r;
        EXPECT_EQ(upload(camera(c.camera), c.size, &r), c.row) << c.camera;
        EXPECT_EQ(test::openDescriptors(), before) << c.camera;
        Recorder again;
        EXPECT_EQ(upload(camera("ok"), 3000, &again), UploadFailure::None) << "after " << c.camera;
    }
}

// "Uploaded" only once the camera has the image. A camera that breaks off
// at the last block fails the upload at every size, though every byte had
// left this computer and the bar stood at 100 %.
TEST_F(UpgradeSessionTest, ABreakBeforeTheEndIsNoUpload) {
    for (size_t size :
         {size_t{3000}, size_t{1 << 20}, size_t{1100000}, size_t{3 << 19}, size_t{2 << 20}, size_t{4 << 20}}) {
        Recorder r;
        const UploadFailure row = upload(camera("reset-last"), size, &r);
        EXPECT_TRUE(row == UploadFailure::BrokenOff || row == UploadFailure::SocketError)
            << size << ": failure " << static_cast<int>(row);
    }
    Recorder r;
    EXPECT_EQ(upload(camera("reset-last"), 3000, &r), UploadFailure::BrokenOff);
    EXPECT_EQ(r.progress.back(), 100);
}

// A camera that takes every byte but never closes has not said that it has
// the image: a failure of its own, once the time for it has run out.
TEST_F(UpgradeSessionTest, ACameraThatNeverClosesHasNotConfirmed) {
    Recorder r;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(upload(camera("hold"), 3000, &r, UpgradeKind::SystemFirmware, 500), UploadFailure::NotConfirmed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    ASSERT_TRUE(sim_->waitForLine({"upload id=" + idOf(17) + " outcome=received", "bytes=3000"}, 5000));
    Recorder again;
    EXPECT_EQ(upload(camera("ok"), 3000, &again), UploadFailure::None);
}

// A camera that stops reading mid-transfer: a send gives up after 10 s
// without progress instead of holding the program for ever. The system's
// window probes still move a few bytes now and then, each restarting the
// 10 s, so the throughput floor, 64 KiB in 30 s, may come first.
TEST_F(UpgradeSessionTest, AStalledCameraEndsTheTransfer) {
    const size_t before = test::openDescriptors();
    Recorder r;
    const auto start = std::chrono::steady_clock::now();
    const UploadFailure f = upload(camera("stall"), 64 * 1024 * 1024, &r);
    EXPECT_TRUE(f == UploadFailure::SocketError || f == UploadFailure::TooSlow) << static_cast<int>(f);
    EXPECT_EQ(test::openDescriptors(), before);
    const auto took = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    EXPECT_TRUE(r.started);
    EXPECT_LT(r.progress.back(), 100);
    EXPECT_GE(took.count(), 10);
    EXPECT_LE(took.count(), 60);
    Recorder again;
    EXPECT_EQ(upload(camera("ok"), 3000, &again), UploadFailure::None);
}

// A camera that takes 512 bytes every 100 ms keeps every send partly
// successful: the floor (here 64 KiB in 3 s) ends it with its own reason,
// well before the 10 s stall limit could, and the progress shows the blocks
// it did take.
TEST_F(UpgradeSessionTest, ATricklingCameraFallsBelowTheFloor) {
    limits.floorWindowMs = 3000;
    Recorder r;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(upload(camera("trickle-512-100"), 16 * 1024 * 1024, &r), UploadFailure::TooSlow);
    const auto took = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    EXPECT_GT(r.bytes, 0) << "blocks were taken before the send gave up";
    EXPECT_LT(r.bytes, 16 * 1024 * 1024);
    EXPECT_LT(took.count(), 10);
    // Given up, the connection is reset: the camera is not kept trickling
    // through what was still queued, and has no image.
    std::string line;
    ASSERT_TRUE(sim_->waitForLine({"upload id=" + idOf(18) + " outcome="}, 2000, &line)) << "the camera is still busy";
    EXPECT_EQ(line.find("outcome=received"), std::string::npos) << line;
}

// The user's Cancel, from another thread, while a send waits on the camera:
// the session ends at once, says so, and the camera has no image.
TEST_F(UpgradeSessionTest, ACancelEndsTheTransferAtOnce) {
    UploadCancel cancel;
    cancel_ = &cancel;
    Recorder r;
    std::thread user([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        cancel.cancel();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(upload(camera("trickle-512-100"), 16 * 1024 * 1024, &r), UploadFailure::Cancelled);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    user.join();
    EXPECT_LT(took.count(), 4000);
    std::string line;
    ASSERT_TRUE(sim_->waitForLine({"upload id=" + idOf(18) + " outcome="}, 5000, &line));
    EXPECT_EQ(line.find("outcome=received"), std::string::npos) << line;
    Recorder again;
    cancel_ = nullptr;
    EXPECT_EQ(upload(camera("ok"), 3000, &again), UploadFailure::None);
}

}  // namespace
}  // namespace lenscout
