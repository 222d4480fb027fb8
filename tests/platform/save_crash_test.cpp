// Saves killed with SIGKILL: a helper saves documents and status records in a loop, and is
// killed 200 times, at a random instant around a moment chosen in turn from every step of a
// save. After every kill each file must be the complete version from before the save or the
// complete new one, and the next start must leave no temporary file.
#include "platform/Files.h"
#include "tests/crash/SaveLoop.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

using namespace saveloop;

namespace {

constexpr int Kills = 200;

QByteArray fileBytes(const QString& path, bool* exists) {
    QFile f(path);
    *exists = f.exists();
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QStringList leftoverTemporaries(const QString& folder) {
    QStringList found;
    for (const QString& e : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (platform::isInterruptedSaveName(e)) found << e;
    return found;
}

TEST(SaveCrash, EveryKilledSaveLeavesTheOldOrTheNewFileWholeAndTheNextStartNoTemporary) {
    testsupport::TempProgramFolder folder;
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString progressPath = scratch.filePath(QStringLiteral("progress"));
    {
        QFile p(progressPath);
        ASSERT_TRUE(p.open(QIODevice::WriteOnly));
        ASSERT_TRUE(p.resize(qint64(sizeof(Progress))));
    }
    const int fd = ::open(QFile::encodeName(progressPath).constData(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    void* mapped = ::mmap(nullptr, sizeof(Progress), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    ASSERT_NE(mapped, MAP_FAILED);
    Progress* progress = static_cast<Progress*>(mapped);

    std::mt19937 random(20240611);
    int saved[DocumentCount] = {};            // the version each document holds
    int lost = 0, torn = 0, temporariesLeftByKills = 0, temporariesAfterStart = 0;
    int killsIn[MomentCount + 1] = {};
    long saves = 0;
    QElapsedTimer timer;
    timer.start();

    for (int kill = 0; kill < Kills; ++kill) {
        const int moment = kill % MomentCount;
        const int nth = 1 + int(random() % 4);
        std::memset(static_cast<void*>(progress), 0, sizeof(Progress));
        const std::string folderArg = folder.path().toStdString(), progressArg = progressPath.toStdString(),
                          momentArg = std::to_string(moment), nthArg = std::to_string(nth),
                          seedArg = std::to_string(random());
        const char* argv[] = {SAVE_LOOP_HELPER,  folderArg.c_str(), progressArg.c_str(), momentArg.c_str(),
                              nthArg.c_str(), seedArg.c_str(), nullptr};
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, SAVE_LOOP_HELPER, nullptr, nullptr, const_cast<char**>(argv), environ), 0);

        // Wait for the asked moment, then kill at a random instant up to 1.5 ms after it: in the
        // step itself, or in those that follow.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        int status = 0;
        bool ended = false;
        while (!progress->atMoment.load() && std::chrono::steady_clock::now() < deadline) {
            if (::waitpid(pid, &status, WNOHANG) == pid) { ended = true; break; }
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        ASSERT_FALSE(ended) << "the save loop ended by itself (status " << status << ") at kill " << kill;
        ASSERT_TRUE(progress->atMoment.load()) << "the save loop never reached " << MomentNames[moment];
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 1500));
        ::kill(pid, SIGKILL);
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the save loop failed by itself (status " << status << ") at kill " << kill;
        ++killsIn[qBound(0, progress->moment.load(), int(MomentCount))];
        saves += progress->saves.load();

        // Each document: the version before its save or the one the save was writing.
        for (int d = 0; d < DocumentCount; ++d) {
            const int told = progress->saved[d].load();
            ASSERT_GE(told, saved[d]);
            bool exists = false;
            const QByteArray bytes = fileBytes(folder.file(QString::fromLatin1(DocumentNames[d])), &exists);
            const int found = exists ? documentVersion(d, bytes) : 0;
            if (found < 0) ++torn;
            else if (found != told && found != told + 1) ++lost;
            if (found >= 0) saved[d] = found;
            EXPECT_TRUE(found == told || found == told + 1)
                << DocumentNames[d] << " holds version " << found << " after a save of version " << told << " told done";
        }
        // Each status record likewise, read the way the status store reads it.
        for (int r = 1; r <= StatusRecords; ++r) {
            const int told = progress->written[r].load();
            const int found = recordVersion(
                r, platform::readStringRecord(QString::fromLatin1(StatusFileName), StatusRecordLength, r));
            if (found < 0) ++torn;
            else if (found != told && found != told + 1) ++lost;
            EXPECT_TRUE(found == told || found == told + 1)
                << "record " << r << " holds version " << found << " after version " << told << " was told written";
        }
        // The next start removes what the kill left, and nothing else.
        temporariesLeftByKills += int(leftoverTemporaries(folder.path()).size());
        platform::removeInterruptedSaves();
        temporariesAfterStart += int(leftoverTemporaries(folder.path()).size());
        for (const QString& e : QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            bool known = e == QLatin1String(StatusFileName);
            for (const char* n : DocumentNames) known = known || e == QLatin1String(n);
            EXPECT_TRUE(known) << "left in the folder: " << e.toStdString();
        }
        if (HasFailure()) break;
    }
    ::munmap(mapped, sizeof(Progress));

    QString byMoment;
    for (int m = 0; m <= MomentCount; ++m)
        byMoment += QStringLiteral("%1%2 %3").arg(m ? QStringLiteral(", ") : QString())
                        .arg(QLatin1String(m < MomentCount ? MomentNames[m] : "between saves"))
                        .arg(killsIn[m]);
    std::printf("crash test: %d kills in %lld ms, %ld saves completed; files lost %d, torn %d; "
                "temporary files left by the kills %d, after the next start %d\nkills by moment: %s\n",
                Kills, static_cast<long long>(timer.elapsed()), saves, lost, torn, temporariesLeftByKills,
                temporariesAfterStart, qPrintable(byMoment));
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(temporariesAfterStart, 0);
    EXPECT_GT(temporariesLeftByKills, 0) << "no kill fell between a temporary file's creation and its rename";
    for (int d = 0; d < DocumentCount; ++d) EXPECT_GT(saved[d], 0) << DocumentNames[d] << " was never saved";
}

}  // namespace
