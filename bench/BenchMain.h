// The main of a benchmark that needs the GUI application: the offscreen platform unless
// another is asked for, the benchmarks run, and every window destroyed before the application.
#pragma once

#include "platform/Form.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace benchmain {

// platform: the Qt platform to run on unless QT_QPA_PLATFORM names another.
inline int runWithWindows(int argc, char** argv, const QByteArray& platform = "offscreen") {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", platform);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    platform::runtime().destroyAllForms();
    return 0;
}

}  // namespace benchmain
