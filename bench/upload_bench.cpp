// Upload of a large image to the simulator across the virtual LAN, against
// a plain TCP transfer of the same bytes on the same link. Runs only inside
// tools/vlan:   upload_bench [--mib N] [--rounds R]
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "discovery/camera_text.h"
#include "platform/file_handle.h"
#include "platform/socket.h"
#include "support/sim_process.h"
#include "support/vlan_guard.h"
#include "tools/common/options.h"
#include "upload/upgrade_session.h"

namespace lenscout {
namespace {

constexpr uint16_t kCameraPort = 8080;
constexpr uint16_t kSinkPort = 9000;

long long monoMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}
double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
long statusKib(const char* key) {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::string(key).size());
    return -1;
}
// Starts a new peak: VmHWM falls back to the current resident size.
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The simulator's monotonic time of its n-th line holding `part`.
long long loggedAt(const test::SimProcess& sim, const std::string& part, int n) {
    for (int tries = 0; tries < 500; ++tries) {
        int seen = 0;
        for (const std::string& line : sim.logLines()) {
            if (line.find(part) == std::string::npos || ++seen < n) continue;
            return std::atoll(line.c_str() + line.find("mono_ms=") + 8);
        }
        usleep(10000);
    }
    return -1;
}

struct NoObserver : UpgradeObserver {
    UploadFailure failure = UploadFailure::None;
    void onTransferStart() override {}
    void onProgress(int) override {}
    void onFailure(UploadFailure f) override { failure = f; }
};

bool plainTransfer(const std::string& path, uint32_t host) {
    Socket s = openTcpSocket();
    if (!connectTo(s.get(), host, toNetPort(kSinkPort))) return false;
    FileHandle f(std::fopen(path.c_str(), "rb"));
    std::vector<char> chunk(64 * 1024);
    size_t n;
    bool ok = f != nullptr;
    while (ok && (n = std::fread(chunk.data(), 1, chunk.size(), f.get())) > 0) {
        for (size_t off = 0; ok && off < n;) {
            const long sent = sendSome(s.get(), chunk.data() + off, n - off);
            ok = sent > 0;
            off += static_cast<size_t>(sent > 0 ? sent : 0);
        }
    }
    return ok;
}

int run(uint64_t mib, uint64_t rounds) {
    const std::string dir = std::getenv("LENSCOUT_VLAN_DIR");
    const std::string hostText = std::getenv("LENSCOUT_HOST_ADDR_1");
    uint32_t host = 0;
    parseIpv4(hostText.c_str(), &host);
    const std::string image = dir + "/image.bin";
    {
        std::ofstream out(image, std::ios::binary);
        out << "BNEG";
        std::vector<char> block(1 << 20);
        for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 131 + 7);
        for (uint64_t i = 0; i < mib; ++i)
            out.write(block.data(), static_cast<std::streamsize>(block.size()) - (i ? 0 : 4));
    }
    test::SimProcess sim(1, {"--sink-port", std::to_string(kSinkPort), "--camera",
                             "id=BENCH,password=pw,port=" + std::to_string(kCameraPort) + ",ip=" + hostText});
    if (!sim.ok()) return 1;
    CameraInfo camera{};
    setFieldText(camera.deviceId, "BENCH");
    Credentials login{};
    setFieldText(login.user, "admin");
    setFieldText(login.password, "pw");
    camera.ip = host;
    camera.httpPort = toNetPort(kCameraPort);
    const double bytes = static_cast<double>(mib) * 1024 * 1024;
    std::vector<double> plain, upload, cpu, plainCpu;
    long worstGrowth = 0;
    for (uint64_t r = 1; r <= rounds; ++r) {
        long long start = monoMs();
        const double plainCpuBefore = cpuSeconds();
        if (!plainTransfer(image, host)) return 1;
        plainCpu.push_back(cpuSeconds() - plainCpuBefore);
        plain.push_back(bytes / 1e6 /
                        (static_cast<double>(loggedAt(sim, "sink bytes=", static_cast<int>(r)) - start) / 1000));

        ImageFile file;
        file.open(image);
        NoObserver observer;
        resetPeak();
        const long before = statusKib("VmRSS:");
        const double cpuBefore = cpuSeconds();
        start = monoMs();
        if (UpgradeSession::run(UpgradeKind::SystemFirmware, file, camera, login, observer) != UpgradeResult::Success)
            return 1;
        cpu.push_back(cpuSeconds() - cpuBefore);
        worstGrowth = std::max(worstGrowth, statusKib("VmHWM:") - before);
        upload.push_back(bytes / 1e6 /
                         (static_cast<double>(loggedAt(sim, "outcome=received", static_cast<int>(r)) - start) / 1000));
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    auto best = [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); };
    // Medians and bests of interleaved rounds: this machine's throughput varies
    // from one round to the next.
    std::printf(
        "image_mib=%llu rounds=%llu plain_mb_s=%.0f upload_mb_s=%.0f ratio=%.2f best_plain_mb_s=%.0f "
        "best_upload_mb_s=%.0f best_ratio=%.2f plain_cpu_s=%.3f upload_cpu_s=%.3f peak_rss_growth_kib=%ld\n",
        static_cast<unsigned long long>(mib), static_cast<unsigned long long>(rounds), median(plain), median(upload),
        median(upload) / median(plain), best(plain), best(upload), best(upload) / best(plain), median(plainCpu),
        median(cpu), worstGrowth);
    return 0;
}

}  // namespace
}  // namespace lenscout

int main(int argc, char** argv) {
    if (!lenscout::test::insideVirtualLan()) {
        std::fprintf(stderr, "upload_bench: run me through tools/vlan\n");
        return 1;
    }
    uint64_t mib = 64, rounds = 11;
    CLI::App app("Upload throughput against the simulator on a virtual LAN.", "upload_bench");
    app.add_option("--mib", mib, "image size in MiB (64)")->check(CLI::Range(uint64_t{1}, uint64_t{4096}));
    app.add_option("--rounds", rounds, "uploads to time (11)")->check(CLI::Range(uint64_t{1}, uint64_t{100}));
    const int status = lenscout::parseToolLine(app, argc, argv);
    if (status >= 0) return status;
    return lenscout::run(mib, rounds);
}
