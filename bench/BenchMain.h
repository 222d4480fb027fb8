// The main of a benchmark that needs the GUI application: the offscreen platform unless
// another is asked for, the benchmarks run, and every window destroyed before the application.
#pragma once

#include "platform/Form.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace benchmain {

inline int runWithWindows(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    platform::runtime().destroyAllForms();
    return 0;
}

}  // namespace benchmain
