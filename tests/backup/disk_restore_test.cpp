// The restore across disks: the whole set read and checked before anything in the program
// folder changes, then exactly the user files replaced; every failure and Cancel leaves the
// folder as it was.
#include "backup/DiskInfo.h"
#include "tests/backup/BackupFixture.h"

using namespace backup;
using namespace backuptest;
constexpr backup::DiskAnswer Cancel = backup::DiskAnswer::Cancel;
constexpr backup::DiskAnswer OK = backup::DiskAnswer::GoOn;

namespace {

QByteArray record(const QString& text) { return platform::encodeStringRecord(text, 30); }

class DiskRestoreTest : public BackupTest {
protected:
    // Backs up user set 1 (some files absent) onto one disk, or onto two when `splitAt` (a
    // position of the 169) is given; then the program folder gets set 2, with other files
    // absent, a file that is not a user file and a content document.
    void prepare(int splitAt = -1) {
        backedUp = writeUserSet(1, [](int i) { return i % 7 != 2; });
        if (splitAt >= 0) {
            qint64 room = DiskInfoRecordLength * DiskInfoRecordCount;
            for (int i = 0; i < splitAt; ++i) {
                auto it = backedUp.find(userFiles()[i].programName);
                if (it != backedUp.end()) room += it->second.size();
            }
            fs->setCapacity(disk(1), room);
            user->answer(QStringLiteral("next"), OK, [this] { insert(2); });
        }
        ASSERT_EQ(backUp().outcome, BackupOutcome::Complete);
        fs->setCapacity(disk(1), 1 << 30);
        for (const auto& [name, bytes] : backedUp) QFile::remove(programPath() + QLatin1Char('/') + name);
        before = writeUserSet(2, [](int i) { return i % 5 != 1; });
        writeProgramFile(QStringLiteral("Notes.fil"), "the user's own notes, not a user file of the program");
        writeProgramFile(QStringLiteral("PR3.Hlp"), "{\\rtf1 content}");
        others = otherFilesInProgramFolder();
        insert(1);
        log.clear();
    }
    void expectUnchanged() {
        EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), before));
        EXPECT_TRUE(sameFiles(otherFilesInProgramFolder(), others));
    }
    void expectRestored() {
        EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), backedUp));
        EXPECT_TRUE(sameFiles(otherFilesInProgramFolder(), others));
    }
    std::map<QString, QByteArray> backedUp, before, others;
};

TEST_F(DiskRestoreTest, OneDiskReplacesExactlyTheUserFiles) {
    prepare();
    const RestoreResult r = restore();
    EXPECT_EQ(r.outcome, RestoreOutcome::Restored);
    expectRestored();
    EXPECT_TRUE(std::find(log.begin(), log.end(), QStringLiteral("restore 2")) == log.end());
}

TEST_F(DiskRestoreTest, ARestoredFileKeepsTheSpellingTheFolderHas) {
    prepare();
    const QByteArray old = readProgramFile(QStringLiteral("Stat1.Fil"));
    QFile::rename(programPath() + QStringLiteral("/Stat1.Fil"), programPath() + QStringLiteral("/STAT1.FIL"));
    ASSERT_EQ(restore().outcome, RestoreOutcome::Restored);
    EXPECT_TRUE(QFileInfo::exists(programPath() + QStringLiteral("/STAT1.FIL")));
    EXPECT_FALSE(filesIn(programPath()).contains(QStringLiteral("Stat1.Fil")));
    EXPECT_EQ(readProgramFile(QStringLiteral("STAT1.FIL")), backedUp[QStringLiteral("Stat1.Fil")]);
    EXPECT_NE(old, backedUp[QStringLiteral("Stat1.Fil")]);
}

TEST_F(DiskRestoreTest, TwoDisksAreReadInOrder) {
    prepare(70);
    user->answer(QStringLiteral("restore"), OK, [this] { insert(2); });
    EXPECT_EQ(restore().outcome, RestoreOutcome::Restored);
    expectRestored();
}

TEST_F(DiskRestoreTest, AFolderWithoutAFirstDiskChangesNothingAndCreatesNothing) {
    prepare(70);
    insert(3);  // an empty folder
    EXPECT_EQ(restore().outcome, RestoreOutcome::NotFirstDisk);
    EXPECT_TRUE(filesIn(disk(3)).isEmpty());
    EXPECT_FALSE(isFirstBackupDisk(disk(3)));
    insert(2);  // the second disk first
    EXPECT_FALSE(isFirstBackupDisk(drive()));
    EXPECT_EQ(restore().outcome, RestoreOutcome::NotFirstDisk);
    expectUnchanged();
    EXPECT_FALSE(QFileInfo::exists(programPath() + QLatin1Char('/') + RestoreStagingFolder));
}

TEST_F(DiskRestoreTest, WrongDisksAreAskedForAgain) {
    prepare(70);
    // Disk 3 is disk 2 of another backup set; disk 4 is the third disk of this one.
    QDir().mkpath(disk(3));
    for (const QString& name : filesIn(disk(2))) QFile::copy(disk(2) + QLatin1Char('/') + name, disk(3) + QLatin1Char('/') + name);
    QFile info(disk(3) + QStringLiteral("/DiskInfo.bk1"));
    ASSERT_TRUE(info.open(QIODevice::ReadWrite));
    info.seek(4 * 30);
    info.write(record(QStringLiteral("Set OTHER")));
    info.close();
    QFile::copy(disk(2) + QStringLiteral("/DiskInfo.bk1"), disk(4) + QStringLiteral("/DiskInfo.bk1"));
    QFile four(disk(4) + QStringLiteral("/DiskInfo.bk1"));
    ASSERT_TRUE(four.open(QIODevice::ReadWrite));
    four.seek(30);
    four.write(record(QStringLiteral(" 3")));
    four.close();
    user->answer(QStringLiteral("restore"), OK);  // disk 1 left in the drive
    user->answer(QStringLiteral("restore"), OK, [this] { insert(3); });
    user->answer(QStringLiteral("restore"), OK, [this] { insert(4); });
    user->answer(QStringLiteral("restore"), OK, [this] { insert(2); });
    EXPECT_EQ(restore().outcome, RestoreOutcome::Restored);
    expectRestored();
    EXPECT_EQ(std::count(log.begin(), log.end(), QStringLiteral("restore 2")), 4);
}

TEST_F(DiskRestoreTest, AMediumAtAnotherPathIsChosen) {
    prepare(70);
    user->answer(QStringLiteral("restore"), OK, [this] { eject(); });
    user->chooseFolder(std::nullopt);
    user->answer(QStringLiteral("restore"), OK);
    user->chooseFolder(disk(2));
    EXPECT_EQ(restore().outcome, RestoreOutcome::Restored);
    expectRestored();
}

TEST_F(DiskRestoreTest, CancelAtTheDiskPromptChangesNothing) {
    prepare(70);
    user->answer(QStringLiteral("restore"), Cancel);
    const RestoreResult r = restore();
    EXPECT_EQ(r.outcome, RestoreOutcome::Cancelled);
    EXPECT_TRUE(r.unchanged());
    expectUnchanged();
    EXPECT_EQ(filesIn(programPath()).filter(QStringLiteral(".restore")).size(), 0);
}

TEST_F(DiskRestoreTest, AnUnreadableCopyChangesNothingAndSaysWhich) {
    prepare(70);
    fs->failReadOf(QStringLiteral("Policy3.hb1"));
    user->answer(QStringLiteral("restore"), OK, [this] { insert(2); });
    const RestoreResult r = restore();
    EXPECT_EQ(r.outcome, RestoreOutcome::ReadFailed);
    EXPECT_EQ(r.file, QStringLiteral("Policy3.hb1"));
    EXPECT_EQ(r.disk, 2);
    expectUnchanged();
}

TEST_F(DiskRestoreTest, ADiskTakenAwayWhileItIsReadChangesNothing) {
    prepare();
    fs->afterReadOf = [this](const QString& path) {
        if (path.endsWith(QStringLiteral("Comment6.hb1"))) eject();
    };
    const RestoreResult r = restore();
    EXPECT_EQ(r.outcome, RestoreOutcome::ReadFailed);
    EXPECT_EQ(r.disk, 1);
    expectUnchanged();
}

TEST_F(DiskRestoreTest, AFullProgramFolderChangesNothing) {
    prepare();
    fs->setCapacity(programPath() + QLatin1Char('/') + RestoreStagingFolder, 20000);
    QDir().mkpath(programPath() + QLatin1Char('/') + RestoreStagingFolder);
    const RestoreResult r = restore();
    EXPECT_EQ(r.outcome, RestoreOutcome::StagingFailed);
    EXPECT_FALSE(r.reason.isEmpty());
    expectUnchanged();
    EXPECT_FALSE(QFileInfo::exists(programPath() + QLatin1Char('/') + RestoreStagingFolder));
}

// A failure at any point of the replacing puts the files back as they were.
class ReplaceFailure : public DiskRestoreTest, public ::testing::WithParamInterface<int> {};

TEST_P(ReplaceFailure, PutsTheOldFilesBack) {
    prepare();
    fs->failRename(GetParam());
    const RestoreResult r = restore();
    // Before the journal has its name nothing has begun; after it the files are put back.
    EXPECT_EQ(r.outcome, GetParam() == 1 ? RestoreOutcome::StagingFailed : RestoreOutcome::ReplaceFailed);
    EXPECT_TRUE(r.unchanged());
    expectUnchanged();
    EXPECT_EQ(filesIn(programPath()).filter(QStringLiteral(".restore")).size(), 0);
}

// 1 is the journal, 2 the first copy moved into place, the last one the last copy.
INSTANTIATE_TEST_SUITE_P(AtRename, ReplaceFailure, ::testing::Values(1, 2, 3, 60, 130));

TEST_F(DiskRestoreTest, WithoutSecondNamesTheOldFilesAreCopiedAndPutBack) {
    prepare();
    fs->failLinks();
    fs->failRename(40);
    EXPECT_EQ(restore().outcome, RestoreOutcome::ReplaceFailed);
    expectUnchanged();
    fs->failRename(-1);
    EXPECT_EQ(restore().outcome, RestoreOutcome::Restored);
    expectRestored();
}

TEST_F(DiskRestoreTest, WhenPuttingBackFailsTooTheNextStartFinishesIt) {
    prepare();
    fs->failRename(50);
    fs->failSync(5);  // after staging, safety folder and journal: the flush of the putting back
    const RestoreResult r = restore();
    EXPECT_EQ(r.outcome, RestoreOutcome::PutBackFailed);
    EXPECT_FALSE(r.unchanged());
    EXPECT_TRUE(QFileInfo::exists(programPath() + QLatin1Char('/') + RestoreJournalFile));
    EXPECT_EQ(finishInterruptedRestore(), InterruptedRestore::PutBack);
    expectUnchanged();
    EXPECT_EQ(filesIn(programPath()).filter(QStringLiteral(".restore")).size(), 0);
    EXPECT_EQ(finishInterruptedRestore(), InterruptedRestore::None);
}

TEST_F(DiskRestoreTest, LeftoversOfARestoreThatHadNotBegunReplacingAreCleared) {
    prepare();
    QDir().mkpath(programPath() + QLatin1Char('/') + RestoreStagingFolder);
    writeProgramFile(RestoreStagingFolder + QStringLiteral("/Action0.Fil"), "half a restore");
    EXPECT_EQ(finishInterruptedRestore(), InterruptedRestore::Cleared);
    expectUnchanged();
    EXPECT_FALSE(QFileInfo::exists(programPath() + QLatin1Char('/') + RestoreStagingFolder));
}

TEST_F(DiskRestoreTest, AFirstDiskThatFilledAtIndexZeroAndAnEmptyLaterDiskAreFollowed) {
    backedUp = writeUserSet(1);
    qint64 fixed = DiskInfoRecordLength * DiskInfoRecordCount;
    for (int p = 0; p < FixedFileCount; ++p) fixed += backedUp[userFiles()[p].programName].size();
    fs->setCapacity(disk(1), fixed);  // filled at index 0: record 4 reads "-1"
    fs->setCapacity(disk(2), DiskInfoRecordLength * DiskInfoRecordCount + 40);  // holds no numbered file
    user->answer(QStringLiteral("next"), OK, [this] { insert(2); });
    user->answer(QStringLiteral("next"), OK, [this] { insert(3); });
    const BackupResult b = backUp();
    ASSERT_EQ(b.outcome, BackupOutcome::Complete);
    EXPECT_EQ(b.disks, 3);
    EXPECT_EQ(diskInfoRecord(disk(1), 4), record(QStringLiteral("-1")));
    EXPECT_EQ(diskInfoRecord(disk(2), 4), record(QStringLiteral("-1")));
    for (const auto& [name, bytes] : backedUp) QFile::remove(programPath() + QLatin1Char('/') + name);
    before = writeUserSet(2);
    others = otherFilesInProgramFolder();
    insert(1);
    user->answer(QStringLiteral("restore"), OK, [this] { insert(2); });
    user->answer(QStringLiteral("restore"), OK, [this] { insert(3); });
    EXPECT_EQ(restore().outcome, RestoreOutcome::Restored);
    expectRestored();
}

TEST_F(DiskRestoreTest, OnlyALastDiskEndingAt162CompletesTheSet) {
    prepare(70);
    // Disk 2 made to look like a middle disk, and a disk whose record names an index past the set.
    QFile info(disk(2) + QStringLiteral("/DiskInfo.bk1"));
    ASSERT_TRUE(info.open(QIODevice::ReadWrite));
    info.seek(3 * 30);
    info.write(record(QStringLiteral(" 120")));
    info.close();
    user->answer(QStringLiteral("restore"), OK, [this] { insert(2); });
    user->answer(QStringLiteral("restore"), Cancel);  // there is no disk 3
    EXPECT_EQ(restore().outcome, RestoreOutcome::Cancelled);
    expectUnchanged();
    ASSERT_TRUE(info.open(QIODevice::ReadWrite));
    info.seek(3 * 30);
    info.write(record(QStringLiteral(" 163")));
    info.close();
    insert(1);
    user->answer(QStringLiteral("restore"), OK, [this] { insert(2); });
    user->answer(QStringLiteral("restore"), Cancel);
    EXPECT_EQ(restore().outcome, RestoreOutcome::Cancelled);
    expectUnchanged();
}

TEST_F(DiskRestoreTest, AnOlderSetWithoutIdentityRestoresAsBefore) {
    prepare(70);
    for (int n : {1, 2}) {
        QFile info(disk(n) + QStringLiteral("/DiskInfo.bk1"));
        ASSERT_TRUE(info.open(QIODevice::ReadWrite));
        info.seek(4 * 30);
        info.write(QByteArray(30, '\0'));
    }
    user->answer(QStringLiteral("restore"), OK, [this] { insert(2); });
    EXPECT_EQ(restore().outcome, RestoreOutcome::Restored);
    expectRestored();
}

}  // namespace
