// How long the Action Area takes to open from the start window (its Load and Activate), and
// how long each of its ten pages takes to show after its page button is pressed.
#include "bench/BenchMain.h"
#include "bench/HubBench.h"
#include "workbook/WorkArea1.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using hubbench::programFolder;
using hubbench::startProgram;

void BM_HubLoadAndActivate(benchmark::State& state) {
    programFolder();
    for (auto _ : state) {
        state.PauseTiming();
        startProgram();
        state.ResumeTiming();
        platform::defaultInstance<WorkArea1>().show();
        benchmark::DoNotOptimize(platform::defaultInstance<WorkArea1>().AreaMode);
    }
    platform::runtime().destroyAllForms();
}
BENCHMARK(BM_HubLoadAndActivate)->Unit(benchmark::kMillisecond);

void BM_PageSwitch(benchmark::State& state) {
    programFolder();
    startProgram();
    WorkArea1& hub = platform::defaultInstance<WorkArea1>();
    hub.show();
    const int page = int(state.range(0));
    for (auto _ : state) {
        hub.SSCommand11_Click(page);
        benchmark::DoNotOptimize(hub.AreaMode);
    }
    platform::runtime().destroyAllForms();
}
BENCHMARK(BM_PageSwitch)->DenseRange(0, 9)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchmain::runWithWindows(argc, argv); }
