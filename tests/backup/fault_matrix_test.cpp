// The fault matrix: the backup disk full at every one of the 169 files, Cancel at each of
// those prompts, and read errors at chosen copies of a two-disk set. After each the program
// folder holds the old set or the new set, complete, never a mix, never empty.
#include "backup/DiskInfo.h"
#include "tests/backup/BackupFixture.h"

using namespace backup;
using namespace backuptest;
constexpr backup::DiskAnswer Cancel = backup::DiskAnswer::Cancel;
constexpr backup::DiskAnswer OK = backup::DiskAnswer::GoOn;

namespace {

class FaultMatrix : public BackupTest, public ::testing::WithParamInterface<int> {
protected:
    // Fills disk 1 while the file at `position` (of the 169) is copied.
    void fillDiskOneAt(int position) {
        qint64 room = DiskInfoRecordLength * DiskInfoRecordCount;
        for (int i = 0; i <= position; ++i) room += newSet[userFiles()[i].programName].size();
        fs->setCapacity(disk(1), room - 1);
    }
    void SetUp() override {
        BackupTest::SetUp();
        newSet = writeUserSet(1);
    }
    // The program folder gets the old set: other bytes, some files absent.
    void writeOldSet() {
        for (const auto& [name, bytes] : newSet) QFile::remove(programPath() + QLatin1Char('/') + name);
        oldSet = writeUserSet(2, [](int i) { return i % 4 != 0; });
    }
    std::map<QString, QByteArray> newSet, oldSet;
};

TEST_P(FaultMatrix, FullAtThisFileTheRestGoesOnTheNextDiskAndComesBackWhole) {
    const int position = GetParam();
    const bool fixed = position < FixedFileCount;
    fillDiskOneAt(position);
    user->answer(fixed ? QStringLiteral("blank") : QStringLiteral("next"), OK, [this] { insert(2); });
    const BackupResult b = backUp();
    ASSERT_EQ(b.outcome, BackupOutcome::Complete);
    EXPECT_EQ(b.disks, fixed ? 1 : 2);
    if (!fixed) {
        EXPECT_EQ(diskInfoRecord(disk(1), DiskInfoRecord::LastFileIndex),
                  diskInfoRecordBytes(diskNumberText(position - FixedFileCount - 1)));
    }

    writeOldSet();
    insert(fixed ? 2 : 1);
    if (!fixed) user->answer(QStringLiteral("restore"), OK, [this] { insert(2); });
    EXPECT_EQ(restore().outcome, RestoreOutcome::Restored);
    EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), newSet));
}

TEST_P(FaultMatrix, CancelWhenFullAtThisFileLeavesNoDiskThatRestores) {
    const int position = GetParam();
    fillDiskOneAt(position);
    user->answer(position < FixedFileCount ? QStringLiteral("blank") : QStringLiteral("next"), Cancel);
    const BackupResult b = backUp();
    EXPECT_EQ(b.outcome, BackupOutcome::Cancelled);
    EXPECT_EQ(b.cancelledInFixedStage, position < FixedFileCount);
    writeOldSet();
    EXPECT_FALSE(isFirstBackupDisk(drive()));
    EXPECT_EQ(restore().outcome, RestoreOutcome::NotFirstDisk);
    EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), oldSet));
}

INSTANTIATE_TEST_SUITE_P(EveryFile, FaultMatrix, ::testing::Range(0, 169));

// A copy that cannot be read, on either disk of a two-disk set, or the second disk missing.
class RestoreFaults : public FaultMatrix {};

TEST_P(RestoreFaults, AReadErrorAtThisCopyLeavesTheOldSet) {
    const int position = GetParam();
    fillDiskOneAt(80);
    user->answer(QStringLiteral("next"), OK, [this] { insert(2); });
    ASSERT_EQ(backUp().outcome, BackupOutcome::Complete);
    writeOldSet();
    insert(1);
    fs->failReadOf(userFiles()[position].backupName);
    if (position >= 80) user->answer(QStringLiteral("restore"), OK, [this] { insert(2); });
    const RestoreResult r = restore();
    EXPECT_EQ(r.outcome, RestoreOutcome::ReadFailed);
    EXPECT_EQ(r.disk, position >= 80 ? 2 : 1);
    EXPECT_EQ(r.file, userFiles()[position].backupName);
    EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), oldSet));
}

INSTANTIATE_TEST_SUITE_P(ChosenCopies, RestoreFaults, ::testing::Values(0, 5, 6, 79, 80, 168));

TEST_F(FaultMatrix, TheSecondDiskMissingLeavesTheOldSet) {
    fillDiskOneAt(100);
    user->answer(QStringLiteral("next"), OK, [this] { insert(2); });
    ASSERT_EQ(backUp().outcome, BackupOutcome::Complete);
    writeOldSet();
    insert(1);
    user->answer(QStringLiteral("restore"), OK, [this] { eject(); });
    user->chooseFolder(std::nullopt);
    user->answer(QStringLiteral("restore"), Cancel);
    EXPECT_EQ(restore().outcome, RestoreOutcome::Cancelled);
    EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), oldSet));
}

}  // namespace
