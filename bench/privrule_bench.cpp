// How long the Security Rule window takes to put the entire rule (PR0.Hlp) into pages: the
// renderer alone, and the whole "Print" press that opens the preview.
#include "bench/BenchMain.h"
#include "frame/HINFO1.h"
#include "library/PrivRule.h"
#include "platform/Files.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A program folder holding only the entire rule, so nothing is written beside the sources.
QTemporaryDir& programFolder() {
    static QTemporaryDir dir;
    static bool ready = false;
    if (!ready) {
        QFile::copy(QStringLiteral(QUORVANE_CONTENT_DIR "/PR0.Hlp"), dir.filePath(QStringLiteral("PR0.Hlp")));
        platform::setProgramFolder(dir.path());
        platform::makeProgramFolderCurrent();
        ready = true;
    }
    return dir;
}

PrivRule* windowOnEntireRule() {
    programFolder();
    DisplayMode = 9;
    PrivRule& w = platform::defaultInstance<PrivRule>();
    w.show();
    if (!w.SSOption1[0].value()) w.SSOption1[0].click();
    return w.RText2.textLength() > 0 ? &w : nullptr;
}

void BM_LayOutEntireRuleIntoPages(benchmark::State& state) {
    PrivRule* w = windowOnEntireRule();
    if (!w) {
        state.SkipWithError("PR0.Hlp not found");
        return;
    }
    PrintPanel::SetMargins(350, 350, 300, 100);
    for (auto _ : state) {
        w->BuildPrintPreview();
        benchmark::DoNotOptimize(w->VSP1.pageCount());
    }
    state.counters["pages"] = w->VSP1.pageCount();
}
BENCHMARK(BM_LayOutEntireRuleIntoPages)->Unit(benchmark::kMillisecond);

void BM_OpenPreviewOfEntireRule(benchmark::State& state) {
    PrivRule* w = windowOnEntireRule();
    if (!w) {
        state.SkipWithError("PR0.Hlp not found");
        return;
    }
    for (auto _ : state) {
        w->SSCommand4.click();
        w->SSCommand80[2].click();
    }
    state.counters["pages"] = w->VSP1.pageCount();
}
BENCHMARK(BM_OpenPreviewOfEntireRule)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchmain::runWithWindows(argc, argv); }
