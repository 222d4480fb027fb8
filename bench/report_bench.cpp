// How long the "All Safeguards" status report takes to build and lay out: the wait a person
// has after ticking the box, before the preview can show it. Building records every text and
// line in twips; laying out paints the page as the preview shows it.
#include "bench/BenchMain.h"
#include "printing/SafeguardsReport.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

const printing::StatusOf Statuses = [](int n) {
    static const QString texts[] = {QStringLiteral("Pending"), QStringLiteral("Working"),
                                    QStringLiteral("Completed"), QStringLiteral("Review"),
                                    QStringLiteral("Not Implemented")};
    return texts[n % 5];
};

void BM_BuildAllSafeguardsReport(benchmark::State& state) {
    platform::PrintDocument doc;
    for (auto _ : state) {
        printing::ReportPositions pos;
        printing::buildSafeguardsReport(doc, {.all = true}, Statuses, 0, pos);
        benchmark::DoNotOptimize(doc.pageCount());
    }
}
BENCHMARK(BM_BuildAllSafeguardsReport)->Unit(benchmark::kMillisecond);

void BM_BuildAndLayOutAllSafeguardsReport(benchmark::State& state) {
    platform::PrintDocument doc;
    QImage page(600, 776, QImage::Format_RGB32);
    for (auto _ : state) {
        printing::ReportPositions pos;
        printing::buildSafeguardsReport(doc, {.all = true}, Statuses, 0, pos);
        page.fill(Qt::white);
        QPainter p(&page);
        platform::renderPage(doc, 1, p, 600.0 * 1440.0 / doc.pageWidth(), true);
    }
}
BENCHMARK(BM_BuildAndLayOutAllSafeguardsReport)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return benchmain::runWithWindows(argc, argv); }
