// A backup and a restore across two real small file systems: the first fills for real in the
// middle of a copy, and the set comes back byte for byte.
#include "backup/DiskInfo.h"
#include "tests/backup/BackupFixture.h"
#include "tests/support/platform/DiskFaults.h"

using namespace backup;
using namespace backuptest;
constexpr backup::DiskAnswer OK = backup::DiskAnswer::GoOn;

namespace {

class TwoDisks : public BackupTest {};

TEST_F(TwoDisks, ABackupOverTwoSmallFileSystemsRestoresByteForByte) {
    testsupport::SmallTmpfs first(256 * 1024);
    QUORVANE_REQUIRE_TMPFS(first);
    testsupport::SmallTmpfs second(1024 * 1024);
    QUORVANE_REQUIRE_TMPFS(second);
    fs->flushForReal(true);

    std::map<QString, QByteArray> set;
    const auto& files = userFiles();
    for (int i = 0; i < int(files.size()); ++i) {
        set[files[i].programName] = userFileBytes(i, 7, 2500 + (i * 131) % 1500);
        writeProgramFile(files[i].programName, set[files[i].programName]);
    }
    insertFolder(first.path());
    user->answer(QStringLiteral("next"), OK, [&] { insertFolder(second.path()); });
    const BackupResult b = backUp(newBackupSetIdentity());
    ASSERT_EQ(b.outcome, BackupOutcome::Complete);
    EXPECT_EQ(b.disks, 2);

    // Every copy on either disk is whole, and the first disk ends where the second begins.
    const DiskInfo one = readDiskInfo(first.path()), two = readDiskInfo(second.path());
    EXPECT_EQ(one.diskNumber, 1);
    EXPECT_EQ(one.nextDiskNumber, 2);
    EXPECT_EQ(two.diskNumber, 2);
    EXPECT_EQ(two.lastFileIndex, LastBackupFileIndex);
    EXPECT_EQ(one.setIdentity, two.setIdentity);
    ASSERT_GT(one.lastFileIndex, 0);
    ASSERT_LT(one.lastFileIndex, LastBackupFileIndex);
    for (int i = 0; i < int(files.size()); ++i) {
        const bool onFirst = i < FixedFileCount + one.lastFileIndex + 1;
        const QString copy = (onFirst ? first : second).file(files[i].backupName);
        EXPECT_EQ(readFile(copy), set[files[i].programName]) << files[i].backupName.toStdString();
        EXPECT_FALSE(QFileInfo::exists((onFirst ? second : first).file(files[i].backupName)));
    }

    for (const auto& f : files) writeProgramFile(f.programName, "changed since the backup");
    QFile::remove(programPath() + QStringLiteral("/Policy9.Fil"));
    insertFolder(first.path());
    user->answer(QStringLiteral("restore"), OK, [&] { insertFolder(second.path()); });
    EXPECT_EQ(restore().outcome, RestoreOutcome::Restored);
    EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), set));
    eject();
}

}  // namespace
