// How long the Action Area takes to open from the start window (its Load and Activate), how
// long each of its ten pages takes to show after its page button is pressed, and how long a
// large document of the user's takes to open in its editor.
#include "bench/BenchMain.h"
#include "bench/HubBench.h"
#include "catalogue/Catalogue.h"
#include "workbook/WorkArea1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
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

// A document of about the given size as a word processor writes one: paragraphs of mixed
// runs (bold, italic, colours, two fonts, accents), every seventh centred.
QByteArray generatedDocument(qsizetype size) {
    QByteArray r = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil Courier New;}}"
                   "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\uc1\r\n";
    int n = 0;
    while (r.size() < size) {
        r += n % 7 == 0 ? "\\pard\\qc " : "\\pard ";
        r += "Paragraph " + QByteArray::number(n) + " of the workbook: {\\b safeguards} and "
             "{\\i implementation specifications}, {\\cf1 required} or {\\cf2 addressable}; "
             "{\\f1\\fs20 45 CFR 164.308(a)(1)} caf\\'e9 \\u937\\'3f \\'a7 done.\\par\r\n";
        ++n;
    }
    return r + "}";
}

// "Action Taken" of the first administrative entry pressed when its document is of the size
// given in KB: from the press until the window has handled what the load left it to do.
void BM_OpenDocument(benchmark::State& state) {
    QTemporaryDir& dir = programFolder();
    {
        QFile f(QDir(dir.path()).filePath(QStringLiteral("Action0.Fil")));
        if (!f.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the document");
            return;
        }
        f.write(generatedDocument(state.range(0) * 1024));
    }
    startProgram();
    WorkArea1& hub = platform::defaultInstance<WorkArea1>();
    hub.show();
    hub.SSCommand11_Click(catalogue::PageAdministrative);
    hub.SSCommand14[0].click();
    for (auto _ : state) {
        state.PauseTiming();
        hub.SSOption4.click();  // another document, so that the press loads it anew
        QCoreApplication::processEvents();
        state.ResumeTiming();
        hub.SSOption3.click();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(hub.UnsavedChanges);
    }
    platform::runtime().destroyAllForms();
    QFile::remove(QDir(dir.path()).filePath(QStringLiteral("Action0.Fil")));
}
BENCHMARK(BM_OpenDocument)->Arg(100)->Arg(2048)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchmain::runWithWindows(argc, argv); }
