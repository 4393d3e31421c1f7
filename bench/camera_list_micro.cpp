// The camera list's work for a network of 1000 cameras: a refresh sweep
// with nothing to rewrite and with every line changed, and the camera-found
// step for the 1000th camera, both as a known and as a new one.
#include <benchmark/benchmark.h>

#include <arpa/inet.h>

#include <cstdio>
#include <vector>

#include "app/string_table.h"
#include "discovery/camera_text.h"
#include "platform/socket.h"
#include "ui/camera_list.h"
#include "ui/memory_list_lines.h"

namespace lenscout {
namespace {

constexpr int kCameras = 1000;

std::vector<CameraInfo> network(uint16_t port) {
    std::vector<CameraInfo> cameras(kCameras);
    for (int i = 0; i < kCameras; ++i) {
        CameraInfo& c = cameras[i];
        c = CameraInfo{};
        char text[16];
        std::snprintf(text, sizeof text, "CAM%06d", i + 1);
        setFieldText(c.deviceId, text);
        std::snprintf(text, sizeof text, "Camera %d", i + 1);
        setFieldText(c.name, text);
        c.ip = htonl(0x0a000000u + static_cast<uint32_t>(i));
        c.httpPort = toNetPort(port);
        c.webUiVersion = 1;
        c.sameSubnet = c.seen = 1;
    }
    return cameras;
}

void answer(CameraList& list, const std::vector<CameraInfo>& cameras, size_t count) {
    for (size_t i = 0; i < count; ++i) list.OnCameraFound(std::make_unique<CameraInfo>(cameras[i]));
}

void BM_SweepUnchanged(benchmark::State& state) {
    SelectLanguage(kEnglish);
    MemoryListLines lines;
    CameraList list(lines);
    const auto cameras = network(80);
    answer(list, cameras, kCameras);
    list.OnScanTick();
    for (auto _ : state) {
        state.PauseTiming();
        answer(list, cameras, kCameras);
        const int written = lines.written();
        state.ResumeTiming();
        list.OnScanTick();
        if (lines.written() != written) state.SkipWithError("an unchanged line was rewritten");
    }
}
BENCHMARK(BM_SweepUnchanged)->Unit(benchmark::kMicrosecond);

void BM_SweepAllChanged(benchmark::State& state) {
    SelectLanguage(kEnglish);
    MemoryListLines lines;
    CameraList list(lines);
    const std::vector<CameraInfo> ports[2] = {network(80), network(8080)};
    answer(list, ports[0], kCameras);
    list.OnScanTick();
    int turn = 1;
    for (auto _ : state) {
        state.PauseTiming();
        answer(list, ports[turn], kCameras);
        turn ^= 1;
        state.ResumeTiming();
        list.OnScanTick();
    }
}
BENCHMARK(BM_SweepAllChanged)->Unit(benchmark::kMicrosecond);

void BM_CameraFoundKnown1000th(benchmark::State& state) {
    MemoryListLines lines;
    CameraList list(lines);
    const auto cameras = network(80);
    answer(list, cameras, kCameras);
    for (auto _ : state) list.OnCameraFound(std::make_unique<CameraInfo>(cameras.back()));
}
BENCHMARK(BM_CameraFoundKnown1000th);

void BM_CameraFoundNew1000th(benchmark::State& state) {
    SelectLanguage(kEnglish);
    MemoryListLines lines;
    CameraList list(lines);
    const auto cameras = network(80);
    for (auto _ : state) {
        state.PauseTiming();
        list.Clear();
        answer(list, cameras, kCameras - 1);
        state.ResumeTiming();
        list.OnCameraFound(std::make_unique<CameraInfo>(cameras.back()));
    }
}
BENCHMARK(BM_CameraFoundNew1000th)->Iterations(200);

}  // namespace
}  // namespace lenscout

BENCHMARK_MAIN();
