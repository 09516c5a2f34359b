// Timings of the coil engine: one rating, a face-area sizing, the step-by-step simulation and
// the rating of a thousand different coils.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "documents/folders.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "units/format.hpp"

namespace {

using namespace qdx;

// Settings and catalogue in a scratch folder, as a first run sees them.
void PrepareFolders() {
    static bool done = false;
    if (done) return;
    const auto dir = std::filesystem::temp_directory_path() / "qdx-bench";
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    setenv("QDX_COMMON_DIR", (dir / "common").c_str(), 1);
    ResetFolders();
    EnsureCatalogue();
    done = true;
}

std::unique_ptr<TCoilProject> DefaultProject(const char* air) {
    PrepareFolders();
    auto p = std::make_unique<TCoilProject>();
    p->CreateCoil(TCoilSettings{});
    p->SetOnCoil(air);
    return p;
}

// A rating from scratch: the previous duty is forgotten so that every pass runs.
void RateFromScratch(TColdWaterCoil& c) {
    c.Qt = 0;
    *c.AirOut = *c.AirIn;
    benchmark::DoNotOptimize(c.Solve());
}

void BM_SolveDry(benchmark::State& state) {
    auto p = DefaultProject("30/12");
    for (auto _ : state) RateFromScratch(p->Coil());
    state.counters["Qt"] = p->Coil().Qt;
}
BENCHMARK(BM_SolveDry)->Unit(benchmark::kMicrosecond);

void BM_SolveWet(benchmark::State& state) {
    auto p = DefaultProject("27/22");
    for (auto _ : state) RateFromScratch(p->Coil());
    state.counters["Qt"] = p->Coil().Qt;
}
BENCHMARK(BM_SolveWet)->Unit(benchmark::kMicrosecond);

void BM_SolveDefault(benchmark::State& state) {
    auto p = DefaultProject("25/17");
    for (auto _ : state) RateFromScratch(p->Coil());
    state.counters["Qt"] = p->Coil().Qt;
}
BENCHMARK(BM_SolveDefault)->Unit(benchmark::kMicrosecond);

void BM_SizeFaceArea20kW(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto p = DefaultProject("25/17");
        state.ResumeTiming();
        benchmark::DoNotOptimize(p->Coil().SizeFaceArea(0, 20));
        state.PauseTiming();
        p.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SizeFaceArea20kW)->Unit(benchmark::kMillisecond);

void BM_StepSimulation(benchmark::State& state) {
    auto p = DefaultProject("27/22");
    p->Coil().Solve();
    for (auto _ : state) benchmark::DoNotOptimize(p->Coil().StepSimulation());
}
BENCHMARK(BM_StepSimulation)->Unit(benchmark::kMillisecond);

void BM_Rate1000VariedCoils(benchmark::State& state) {
    std::vector<std::unique_ptr<TCoilProject>> coils;
    const char* airs[] = {"24/17", "26/19", "27/22", "30/18", "32/24"};
    for (int i = 0; i < 1000; ++i) {
        auto p = DefaultProject(airs[i % 5]);
        const double height = 300 + 38.1 * (i % 17);
        const double length = 500 + 50 * (i % 23);
        const int rows = 2 + i % 7;
        const int fins = 8 + i % 7;
        const int circuits = 2 + i % 9;
        p->SetCoilModel(Format("%0.1f x %0.0f %dr %df %dc", height, length, rows, fins, circuits));
        p->SetFluidInlet(5 + 0.5 * (i % 9));
        p->SetAirVelocity(1.5 + 0.1 * (i % 15));
        coils.push_back(std::move(p));
    }
    for (auto _ : state)
        for (auto& p : coils) RateFromScratch(p->Coil());
    state.counters["coils"] = 1000;
}
BENCHMARK(BM_Rate1000VariedCoils)->Unit(benchmark::kMillisecond);

}  // namespace
