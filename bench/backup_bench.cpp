// How long a backup of a full user set takes (169 files, documents of realistic size, about
// 4 MB) against `cp` of the same files in the same run, both onto the same disk; and a restore
// of that set. The backup also makes its write test, removes the old copies and flushes the
// disk before it reports, so `cp` followed by `sync` is timed too.
#include "backup/DiskBackup.h"
#include "backup/DiskRestore.h"
#include "backup/UserFiles.h"
#include "platform/Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

// Nobody answers: a backup that fits on one disk asks nothing.
class NoOneThere : public backup::DiskUser {
public:
    void ShowStatus(const QString&) override {}
    void ShowProgress(bool) override {}
    void SetProgress(int) override {}
    void Yield() override {}
    backup::DiskAnswer PromptBlankBackupDisk() override { return backup::DiskAnswer::Cancel; }
    backup::DiskAnswer PromptNextBackupDisk(int) override { return backup::DiskAnswer::Cancel; }
    backup::DiskAnswer PromptRestoreDisk(int) override { return backup::DiskAnswer::Cancel; }
    std::optional<QString> ChooseDiskFolder(int) override { return std::nullopt; }
};

// Sizes a user's files reach after some years of work: the status store and the settings as
// their formats fix them, a to-do list of 500 rows, documents of 4 to 60 KB and a long plan.
int realisticSize(int position) {
    switch (position) {
    case 0: return 6000;    // item names
    case 1: return 700;     // display settings
    case 2: return 42000;   // the to-do list
    case 3: return 30;      // background colour
    case 4: return 1360;    // status store
    case 5: return 420;     // worksheet titles
    default: break;
    }
    const int i = position - backup::FixedFileCount;
    if (i == backup::LastBackupFileIndex) return 180000;  // the recovery plan
    const int spread = (i * 7919) % 100;
    if (i >= 94 && i <= 140) return 12000 + spread * 480;  // policies
    return 4000 + spread * 250;
}

QByteArray rtfOfSize(int size, int seed) {
    QByteArray bytes = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
    quint32 x = quint32(seed) * 2654435761u + 1;
    while (bytes.size() < size - 1) {
        x = x * 1103515245u + 12345u;
        bytes += char('a' + (x >> 16) % 26);
        if ((x >> 9) % 7 == 0) bytes += ' ';
        if ((x >> 11) % 97 == 0) bytes += "\\par\r\n";
    }
    return bytes.left(size - 1) + '}';
}

struct Setup {
    QTemporaryDir root;
    QString program, target, copyTarget;
    QStringList sources;
    Setup() {
        program = root.filePath(QStringLiteral("program"));
        target = root.filePath(QStringLiteral("backup"));
        copyTarget = root.filePath(QStringLiteral("copy"));
        for (const QString& f : {program, target, copyTarget}) QDir().mkpath(f);
        const auto& files = backup::userFiles();
        for (int p = 0; p < int(files.size()); ++p) {
            QFile f(program + QLatin1Char('/') + files[p].programName);
            f.open(QIODevice::WriteOnly);
            f.write(rtfOfSize(realisticSize(p), p));
            sources << f.fileName();
        }
        platform::setProgramFolder(program);
        platform::makeProgramFolderCurrent();
    }
};

Setup& setup() {
    static Setup s;
    return s;
}

void run(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return;
    int status = 0;
    ::waitpid(pid, &status, 0);
}

// One iteration: the backup, then `cp` of the same files, then `cp` and `sync`, one after the
// other, so that the load of the machine weighs on all three alike. The counters give each one's
// mean time and the backup's time as a multiple of the other two.
void BM_BackupAgainstCp(benchmark::State& state) {
    Setup& s = setup();
    NoOneThere user;
    std::vector<std::string> cp = {"cp"};
    for (const QString& f : s.sources) cp.push_back(f.toStdString());
    cp.push_back(s.copyTarget.toStdString());
    const std::vector<std::string> sync = {"sync", "-f", s.copyTarget.toStdString()};
    double backupTime = 0, cpTime = 0, cpSyncTime = 0;
    QElapsedTimer t;
    for (auto _ : state) {
        t.start();
        backup::DiskBackup b(s.target, user, QStringLiteral("Set BENCH"));
        if (b.StartBackup().outcome != backup::BackupOutcome::Complete) state.SkipWithError("the backup did not complete");
        backupTime += double(t.nsecsElapsed());
        t.start();
        run(cp);
        cpTime += double(t.nsecsElapsed());
        t.start();
        run(cp);
        run(sync);
        cpSyncTime += double(t.nsecsElapsed());
    }
    const double n = double(state.iterations()) * 1e6;
    state.counters["backup_ms"] = backupTime / n;
    state.counters["cp_ms"] = cpTime / n;
    state.counters["cp_sync_ms"] = cpSyncTime / n;
    state.counters["backup_per_cp"] = backupTime / cpTime;
    state.counters["backup_per_cp_sync"] = backupTime / cpSyncTime;
}
BENCHMARK(BM_BackupAgainstCp)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

void BM_Restore(benchmark::State& state) {
    Setup& s = setup();
    NoOneThere user;
    {
        backup::DiskBackup b(s.target, user, QStringLiteral("Set BENCH"));
        b.StartBackup();
    }
    for (auto _ : state) {
        backup::DiskRestore r(s.target, user);
        if (r.RestoreFiles().outcome != backup::RestoreOutcome::Restored) state.SkipWithError("the restore did not complete");
    }
}
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
