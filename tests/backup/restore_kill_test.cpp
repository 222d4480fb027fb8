// A restore killed with SIGKILL at 100 random moments, spread over every file operation it
// makes: after each kill and the next start, the program folder holds the old set or the new
// set, complete, never a mix, never empty, and nothing of the restore is left.
#include "tests/backup/BackupFixture.h"
#include "tests/backup/kill/RestoreKill.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <fcntl.h>
#include <random>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

using namespace backup;
using namespace backuptest;

namespace {

constexpr int Kills = 100;

class RestoreKill : public BackupTest {
protected:
    void SetUp() override {
        BackupTest::SetUp();
        progressPath_ = programPath() + QStringLiteral("/../progress");
        QFile p(progressPath_);
        ASSERT_TRUE(p.open(QIODevice::WriteOnly));
        ASSERT_TRUE(p.resize(4096));
        p.close();
        const int fd = ::open(QFile::encodeName(progressPath_).constData(), O_RDWR | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        void* mapped = ::mmap(nullptr, sizeof(restorekill::Progress), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        ::close(fd);
        ASSERT_NE(mapped, MAP_FAILED);
        progress = new (mapped) restorekill::Progress;
    }
    void TearDown() override {
        if (progress) ::munmap(progress, sizeof(restorekill::Progress));
        BackupTest::TearDown();
    }
    void writeOldSet() {
        for (const QString& name : filesIn(programPath()))
            if (isUserFileName(name)) QFile::remove(programPath() + QLatin1Char('/') + name);
        oldSet = writeUserSet(2, [](int i) { return i % 3 != 0; });
    }
    // Starts the helper; it waits at operation `target` when `pause` is set.
    pid_t start(int target, bool pause) {
        progress->operations = 0;
        progress->target = target;
        progress->pauseAtTarget = pause ? 1 : 0;
        progress->reached = 0;
        progress->finished = 0;
        const std::string programArg = programPath().toStdString(), diskArg = disk(1).toStdString(),
                          progressArg = progressPath_.toStdString();
        const char* argv[] = {RESTORE_ONCE_HELPER, programArg.c_str(), diskArg.c_str(), progressArg.c_str(), nullptr};
        pid_t pid = 0;
        EXPECT_EQ(::posix_spawn(&pid, RESTORE_ONCE_HELPER, nullptr, nullptr, const_cast<char**>(argv), environ), 0);
        return pid;
    }

    void runKills(int kills, const std::function<void(int, const QString&, const QString&)>& odd);

    restorekill::Progress* progress = nullptr;
    std::map<QString, QByteArray> newSet, oldSet;

private:
    QString progressPath_;
};

// What the program folder may hold before the restore starts: nothing odd, or one of the odd
// states a restore must never follow, empty or trust (with `canary` the folder outside).
using OddState = std::function<void(int kill, const QString& prog, const QString& canary)>;
// How many odd states the odd test makes, one after another.
constexpr int OddStates = 5;

void makeLink(const QString& target, const QString& link) {
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()), 0);
}

void makeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Everything under a folder, links as links: path -> bytes or link target.
std::map<QString, QByteArray> tree(const QString& root) {
    std::map<QString, QByteArray> out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        QByteArray value;
        if (info.isSymLink()) value = "-> " + QFile::encodeName(info.symLinkTarget());
        else if (info.isFile()) {
            QFile f(path);
            if (f.open(QIODevice::ReadOnly)) value = f.readAll();
        }
        out[QDir(root).relativeFilePath(path)] = value;
    }
    return out;
}

void RestoreKill::runKills(int kills, const OddState& odd) {
    newSet = writeUserSet(1, [](int i) { return i % 5 != 4; });
    ASSERT_EQ(backUp().outcome, BackupOutcome::Complete);
    writeProgramFile(QStringLiteral("Notes.fil"), "not a user file");
    const auto others = otherFilesInProgramFolder();
    QTemporaryDir canaryDir;
    const QString canary = canaryDir.path();
    makeFile(canary + QStringLiteral("/Action0.Fil"), "{\\rtf1 the canary}");
    makeFile(canary + QStringLiteral("/Stat1.Fil"), QByteArray(40, 'c'));
    QDir().mkpath(canary + QStringLiteral("/sub"));
    makeFile(canary + QStringLiteral("/sub/deep.txt"), "deep in the canary");
    const auto canaryBefore = tree(canary);
    // What the program folder holds that is neither a user file nor an odd state's leftover.
    const auto settle = [&] {
        for (const QString& name : filesIn(programPath()))
            if (name.startsWith(QLatin1String("Restore set aside"))) QDir(programPath() + QLatin1Char('/') + name).removeRecursively();
    };

    // One restore left to run to its end: how many operations a whole restore takes.
    writeOldSet();
    int status = 0;
    pid_t pid = start(0, false);
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    ASSERT_EQ(progress->finished.load(), 1);
    ASSERT_TRUE(sameFiles(userFilesInProgramFolder(), newSet));
    const int operations = progress->operations.load();
    ASSERT_GT(operations, 500);

    std::mt19937 random(20260310);
    int oldAfter = 0, newAfter = 0, mixed = 0, putBack = 0, cleared = 0, setAside = 0, finishedBeforeKill = 0;
    QElapsedTimer timer;
    timer.start();
    for (int kill = 0; kill < kills; ++kill) {
        writeOldSet();
        if (odd) {
            odd(kill, programPath(), canary);
            if (HasFatalFailure()) return;
        }
        int target = 1 + int(random() % unsigned(operations + 3));
        const bool pause = random() % 2 == 0;
        // The last round of each odd state runs its restore to the end: an odd state is set
        // aside, never a reason no restore can be done.
        const bool whole = odd && kill >= kills - OddStates;
        if (whole) target = 0;
        pid = start(target, pause);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        bool ended = false;
        while (!progress->reached.load() && std::chrono::steady_clock::now() < deadline) {
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                ended = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(20));
        }
        if (!ended) {
            if (!pause) std::this_thread::sleep_for(std::chrono::microseconds(random() % 400));
            ::kill(pid, SIGKILL);
            ASSERT_EQ(::waitpid(pid, &status, 0), pid);
            if (WIFEXITED(status)) ++finishedBeforeKill;
        } else {
            ++finishedBeforeKill;
        }

        // The next start.
        switch (finishInterruptedRestore()) {
        case InterruptedRestore::PutBack: ++putBack; break;
        case InterruptedRestore::Cleared: ++cleared; break;
        case InterruptedRestore::None: break;
        case InterruptedRestore::SetAside:
            // Only an odd state is ever set aside, and only when the kill came before the
            // restore had set it aside itself.
            ++setAside;
            if (!odd) ADD_FAILURE() << "kill " << kill << ": the start set the restore aside";
            break;
        case InterruptedRestore::Failed: ADD_FAILURE() << "kill " << kill << ": the start could not finish the restore"; break;
        }
        const auto now = userFilesInProgramFolder();
        if (whole) {
            EXPECT_TRUE(sameFiles(now, newSet)) << "kill " << kill << ": the restore did not get past the odd state";
        }
        if (sameFiles(now, oldSet)) ++oldAfter;
        else if (sameFiles(now, newSet)) ++newAfter;
        else {
            ++mixed;
            ADD_FAILURE() << "kill " << kill << " at operation " << target << " of " << operations
                          << " left a mix: " << sameFiles(now, oldSet).message();
        }
        EXPECT_EQ(tree(canary), canaryBefore) << "kill " << kill;
        settle();
        EXPECT_TRUE(sameFiles(otherFilesInProgramFolder(), others)) << "kill " << kill;
        EXPECT_TRUE(filesIn(programPath()).filter(QStringLiteral(".restore")).isEmpty()) << "kill " << kill;
        if (HasFailure()) break;
    }
    std::printf("restore kill test%s: %d kills in %lld ms over %d file operations of a restore; afterwards old "
                "set %d, new set %d, mixed %d; the next start put back %d, cleared %d, set aside %d; %d restores "
                "finished before their kill\n",
                odd ? " with odd folder states" : "", kills, static_cast<long long>(timer.elapsed()), operations, oldAfter,
                newAfter, mixed, putBack, cleared, setAside, finishedBeforeKill);
    EXPECT_EQ(mixed, 0);
    EXPECT_GT(oldAfter, 0);
    EXPECT_GT(newAfter, 0);
    if (!odd) {
        EXPECT_GT(putBack, 0) << "no kill fell while the files were being replaced";
    }
}

TEST_F(RestoreKill, EveryKillLeavesTheOldSetOrTheNewSetWhole) { runKills(Kills, {}); }

// The same with the restore's own entries found odd before each run, in turn.
TEST_F(RestoreKill, WithOddFolderStatesNothingOutsideIsTouched) {
    runKills(40, [](int kill, const QString& prog, const QString& canary) {
        switch (kill % OddStates) {
        case 0: makeLink(canary, prog + QStringLiteral("/.restore-staging")); break;
        case 1: makeLink(canary, prog + QStringLiteral("/.restore-safety")); break;
        case 2: makeFile(prog + QStringLiteral("/.restore-staging"), "a plain file"); break;
        case 3: makeFile(prog + QStringLiteral("/.restore-journal"), "Quorvane restore journal 1\nold ../x\nend\n"); break;
        case 4:
            makeFile(prog + QStringLiteral("/.restore-journal"), "Quorvane restore journal 1\nold Action0.Fil\nend\n");
            makeLink(canary, prog + QStringLiteral("/.restore-safety"));
            break;
        }
    });
}

}  // namespace
