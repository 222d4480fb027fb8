// The project timeline with a full list of 500 dated items: reading TODOActv.FIL, entering the
// to-do page (the names and the list read and shown in the grid), saving the list, and
// building its report.
#include "bench/BenchMain.h"
#include "bench/HubBench.h"
#include "printing/ToDoReport.h"
#include "timeline/ToDoFiles.h"
#include "workbook/WorkArea1.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

timeline::ToDoList fullList() {
    timeline::ToDoList list;
    for (int r = 1; r <= timeline::ToDoRowCount; ++r)
        list.setRow(r, {QStringLiteral("Review the access logs of system %1").arg(r), QStringLiteral("Thu - Jan 6, 05"),
                        r % 3 ? QString() : QStringLiteral("Fri - Jan 7, 05"), QStringLiteral("Mon - Feb 7, 05")});
    return list;
}

// The program folder with a full to-do list and 200 item names.
void programFolder() {
    static bool made = [] {
        hubbench::programFolder();
        timeline::writeToDoList(fullList());
        QStringList names;
        for (int i = 1; i <= 200; ++i) names << QStringLiteral("Task %1").arg(i);
        timeline::writeToDoNames(timeline::ToDoNameList(names));
        return true;
    }();
    (void)made;
}

WorkArea1& openHub() {
    hubbench::startProgram();
    WorkArea1& hub = platform::defaultInstance<WorkArea1>();
    hub.show();
    return hub;
}

void BM_ReadFullList(benchmark::State& state) {
    programFolder();
    for (auto _ : state) {
        const timeline::ToDoListLoad load = timeline::readToDoList();
        benchmark::DoNotOptimize(load.rowsRead);
    }
}
BENCHMARK(BM_ReadFullList)->Unit(benchmark::kMillisecond);

// The page button pressed: the names and the list read from their files and shown.
void BM_EnterPageWithFullList(benchmark::State& state) {
    programFolder();
    WorkArea1& hub = openHub();
    for (auto _ : state) {
        hub.SSCommand11_Click(catalogue::PageTimeline);
        benchmark::DoNotOptimize(hub.VSGd2.textMatrix(500, 1));
    }
    platform::runtime().destroyAllForms();
}
BENCHMARK(BM_EnterPageWithFullList)->Unit(benchmark::kMillisecond);

void BM_SaveFullList(benchmark::State& state) {
    programFolder();
    WorkArea1& hub = openHub();
    hub.SSCommand11_Click(catalogue::PageTimeline);
    for (auto _ : state) {
        hub.UnsavedChanges = 1;
        benchmark::DoNotOptimize(hub.ToDo.SaveToDoGrid());
    }
    platform::runtime().destroyAllForms();
}
BENCHMARK(BM_SaveFullList)->Unit(benchmark::kMillisecond);

void BM_ReportOfFullList(benchmark::State& state) {
    const timeline::ToDoList list = fullList();
    ToDoReportOptions options;
    options.font = platform::Font{QStringLiteral("Times New Roman"), 12};
    options.today = QDate(2005, 1, 6);
    platform::PrintDocument doc;
    for (auto _ : state) {
        buildToDoReport(list, doc, options);
        benchmark::DoNotOptimize(doc.pageCount());
    }
}
BENCHMARK(BM_ReportOfFullList)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchmain::runWithWindows(argc, argv); }
