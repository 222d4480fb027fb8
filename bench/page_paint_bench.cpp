// How long each of the Action Area's ten pages takes from the press of its page button until
// the window is painted anew, in a maximised window on a screen of 1280 x 1024 pixels. One
// frame of such a screen is 16.7 ms; each page should be on screen within it.
//
// Each run starts on another page (the overview, or the administrative page for the overview
// itself), so that every switch has a page to take down, as it has for the user.
#include "bench/BenchMain.h"
#include "bench/HubBench.h"
#include "workbook/WorkArea1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

using hubbench::programFolder;
using hubbench::startProgram;

// The switch as the user makes it, then the paint of the whole window, at once, as the next
// frame shows it.
void switchAndPaint(WorkArea1& hub, int page) {
    hub.SSCommand11_Click(page);
    QCoreApplication::processEvents();
    hub.widget()->repaint();
}

void BM_PageSwitchWithPaint(benchmark::State& state) {
    programFolder();
    startProgram();
    WorkArea1& hub = platform::defaultInstance<WorkArea1>();
    hub.show();
    hub.setWindowState(platform::WindowState::Maximized);
    QCoreApplication::processEvents();
    const int page = int(state.range(0));
    const int before = page == 0 ? 2 : 0;
    double switching = 0, events = 0, painting = 0;
    for (auto _ : state) {
        state.PauseTiming();
        switchAndPaint(hub, before);
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        hub.SSCommand11_Click(page);
        const qint64 a = t.nsecsElapsed();
        QCoreApplication::processEvents();
        const qint64 b = t.nsecsElapsed();
        hub.widget()->repaint();
        const qint64 c = t.nsecsElapsed();
        switching += a / 1e6;
        events += (b - a) / 1e6;
        painting += (c - b) / 1e6;
        benchmark::DoNotOptimize(hub.AreaMode);
    }
    // Where the time goes, in ms per switch: the handler, the events it left, the paint.
    state.counters["switch_ms"] = benchmark::Counter(switching, benchmark::Counter::kAvgIterations);
    state.counters["events_ms"] = benchmark::Counter(events, benchmark::Counter::kAvgIterations);
    state.counters["paint_ms"] = benchmark::Counter(painting, benchmark::Counter::kAvgIterations);
    state.counters["width"] = hub.widget()->width();
    state.counters["height"] = hub.widget()->height();
    state.counters["maximised"] = hub.widget()->isMaximized() ? 1 : 0;
    platform::runtime().destroyAllForms();
}
BENCHMARK(BM_PageSwitchWithPaint)->DenseRange(0, 9)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
    return benchmain::runWithWindows(
        argc, argv, "offscreen:configfile=" QUORVANE_SOURCE_DIR "/tests/looks/screen-1280x1024.json");
}
