// The worker on a network where a device floods it with bad datagrams while
// ten well-behaved cameras answer as usual.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include "discovery/camera_text.h"
#include "discovery/message_ids.h"
#include "platform/datagram_batch.h"
#include "support/sim_process.h"
#include "support/worker_run.h"

namespace lenscout {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitizedAllocator = true;
#else
constexpr bool kSanitizedAllocator = false;
#endif

long residentKib() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

TEST(HostileNetwork, TheWorkerKeepsListingTheRealCameras) {
    const char* configured = std::getenv("LENSCOUT_HOSTILE_SECONDS");
    const int seconds = configured ? std::atoi(configured) : 7;
    test::SimProcess cameras(1, {"--count", "10", "--delay", "0-20"});
    ASSERT_TRUE(cameras.ok());
    cameras.allowViolations();  // it hears the flood's broken requests too
    test::WorkerRun run;
    run.keepHistory = false;
    std::set<std::string> seen;
    int periods = 0, incomplete = 0, codes = 0, ownFailures = 0;
    run.observer = [&](const ThreadMessage& m, const CameraInfo* record) {
        if (m.message == WM_SCAN_ERROR) {
            ++codes;
            ownFailures += paramCode(m.wParam) == kScanSocketFailure;
        }
        if (record && fieldText(record->deviceId).substr(0, 3) == "CAM")
            seen.insert(std::string(fieldText(record->deviceId)));
        if (m.message != WM_SCAN_TICK) return;
        if (periods++ > 0 && seen.size() != 10) ++incomplete;  // the first tick opens the first period
        seen.clear();
    };
    ASSERT_TRUE(run.waitFor(WM_SCAN_TICK, 1000));
    test::SimProcess flood(2, "LENSCOUT_FLOOD", {"--rate", "10000", "--seconds", std::to_string(seconds + 3)});
    ASSERT_TRUE(flood.ok());
    run.drain(2000);
    const long before = residentKib();
    run.drain(static_cast<uint32_t>(seconds - 2) * 1000);
    const long after = residentKib();

    EXPECT_FALSE(run.finished()) << "the worker must not stop";
    EXPECT_GE(periods, seconds / 3);
    EXPECT_EQ(incomplete, 0) << "every period lists all ten cameras";
    EXPECT_EQ(ownFailures, 0) << "no datagram may pass for the worker's own failure";
    EXPECT_EQ(codes, 0) << "no request went out: every result of the flood is unsolicited";
    // The sanitizers' allocator keeps freed blocks and their shadow, so the
    // bound holds in the normal build only; leaks are for LeakSanitizer. The
    // receive batch's landing slots and byte buffer are reserved whole but
    // become resident as the flood fills them further, the more so on a busy
    // machine where the worker reads less often: that much growth, and half
    // a megabyte more, is flat.
    if (!kSanitizedAllocator) {
        const size_t reserved = DatagramBatch::kMaxBytes + 2 * DatagramBatch::kSlots * DatagramBatch::kSlotSize;
        const long batchKib = static_cast<long>(reserved / 1024);
        EXPECT_LT(after - before, batchKib + 512) << "resident memory must stay flat";
    }
    std::printf("hostile: %d s, %d periods, %zu result codes passed on, resident %ld -> %ld KiB\n", seconds, periods,
                static_cast<size_t>(codes), before, after);
}

}  // namespace
}  // namespace lenscout
