// The worker's per-reply steps on their own, without a network: parsing a
// reply, the same-subnet test, and reading the interface table, which the
// worker does once per search period instead of once per reply.
#include <benchmark/benchmark.h>

#include "discovery/discovery_messages.h"
#include "discovery/discovery_worker.h"
#include "discovery/same_subnet.h"
#include "protocol/packet_header.h"
#include "tools/camsim/sim_camera.h"
#include "tools/camsim/sim_codec.h"

namespace lenscout {
namespace {

void BM_ParseSearchReply(benchmark::State& state) {
    const std::vector<uint8_t> m =
        sim::encode(sim::kDiscovery, sim::kCmdSearchReply, searchReplyPayload(defaultCamera(1, 0, 0)));
    DatagramReader reader;
    for (auto _ : state) {
        reader.load(m.data(), m.size());
        uint16_t command = 0;
        reader.parseHeader(&command, kDiscoveryMagic);
        benchmark::DoNotOptimize(parseSearchReply(reader));
    }
}
BENCHMARK(BM_ParseSearchReply);

void BM_SameSubnet(benchmark::State& state) {
    std::vector<Ipv4Interface> table;
    readInterfaceTable(&table);
    CameraInfo c{};
    c.ip = 0x0a0a0a0a;
    c.mask = 0x00ffffff;
    for (auto _ : state) {
        applySameSubnet(c, &table);
        benchmark::DoNotOptimize(c.sameSubnet);
    }
}
BENCHMARK(BM_SameSubnet);

void BM_ReadInterfaceTable(benchmark::State& state) {
    std::vector<Ipv4Interface> table;
    for (auto _ : state) benchmark::DoNotOptimize(readInterfaceTable(&table));
    state.counters["interfaces"] = static_cast<double>(table.size());
}
BENCHMARK(BM_ReadInterfaceTable);

// A receive slice that times out: the worker's fixed cost, 30 of them per
// search period. Binds to 127.0.0.1 and sends nothing.
void BM_IdleReceiveSlice(benchmark::State& state) {
    Socket s = openUdpSocket();
    uint32_t loopback = 0;
    parseIpv4("127.0.0.1", &loopback);
    bindTo(s.get(), loopback, 0);
    for (auto _ : state) benchmark::DoNotOptimize(waitReadable(s.get(), kReceiveSliceMs));
}
BENCHMARK(BM_IdleReceiveSlice)->Iterations(20)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lenscout

BENCHMARK_MAIN();
