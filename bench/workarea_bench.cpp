// How long the Action Area takes to open from the start window (its Load and Activate), and
// how long each of its ten pages takes to show after its page button is pressed.
#include "frame/HINFO1.h"
#include "frame/Startfrm.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Form.h"
#include "workbook/WorkArea1.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Every box is answered at once: OK where it is the only button, No where there is a choice,
// so no page switch saves and no run ends the program.
class AnsweringDialogs : public platform::Dialogs {
public:
    int msgBox(const QString&, int flags, const QString&) override {
        return (flags & 7) == platform::Msg::OKOnly ? platform::Answer::OK : platform::Answer::No;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<platform::Color> colorDialog(platform::Color) override { return std::nullopt; }
    bool fontDialog(platform::FontChoice&) override { return false; }
    bool pageSetupDialog(platform::PageSetup&) override { return false; }
};

// A program folder with the shipped content documents, as the program runs from.
QTemporaryDir& programFolder() {
    static QTemporaryDir dir;
    static bool made = [] {
        const QDir content(QStringLiteral(QUORVANE_CONTENT_DIR));
        for (const QString& name : content.entryList(QDir::Files))
            QFile::copy(content.filePath(name), dir.filePath(name));
        platform::setProgramFolder(dir.path());
        platform::makeProgramFolderCurrent();
        platform::setDialogs(std::make_unique<AnsweringDialogs>());
        return true;
    }();
    (void)made;
    return dir;
}

// A fresh run up to the start window, with the splash already seen.
void startProgram() {
    platform::runtime().destroyAllForms();
    SplashShown = SplashWasShown;
    platform::defaultInstance<Startfrm>().show();
}

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

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    platform::runtime().destroyAllForms();
    return 0;
}
