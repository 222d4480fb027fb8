// The backup across disks: what each disk holds, its DiskInfo.bk1, and what a full, missing or
// unwritable disk and an unreadable user file do.
#include "backup/DiskInfo.h"
#include "tests/backup/BackupFixture.h"

#include <numeric>

using namespace backup;
using namespace backuptest;
constexpr backup::DiskAnswer Cancel = backup::DiskAnswer::Cancel;
constexpr backup::DiskAnswer OK = backup::DiskAnswer::GoOn;

namespace {

QByteArray record(const QString& text) { return platform::encodeStringRecord(text, 30); }
const QByteArray Empty(30, '\0');

class DiskBackupTest : public BackupTest {
protected:
    // The backup names that a set written by writeUserSet puts on the disks, in order.
    static QStringList copiesOf(const std::map<QString, QByteArray>& set, int from = 0, int to = 168) {
        QStringList names;
        const auto& files = userFiles();
        for (int i = from; i <= to; ++i)
            if (set.count(files[i].programName)) names << files[i].backupName;
        return names;
    }
    static QStringList sorted(QStringList l) {
        l.sort(Qt::CaseInsensitive);
        return l;
    }
    // The room a disk needs for its DiskInfo.bk1 and the files at positions [from, to).
    static qint64 room(const std::map<QString, QByteArray>& set, int from, int to) {
        qint64 bytes = DiskInfoRecordLength * DiskInfoRecordCount;
        for (int i = from; i < to; ++i) {
            auto it = set.find(userFiles()[i].programName);
            if (it != set.end()) bytes += it->second.size();
        }
        return bytes;
    }
    void expectCopies(const QString& disk, const std::map<QString, QByteArray>& set, int from, int to) {
        EXPECT_EQ(sorted(filesIn(disk)), sorted(copiesOf(set, from, to) << QStringLiteral("DiskInfo.bk1")));
        const auto& files = userFiles();
        for (int i = from; i <= to; ++i) {
            auto it = set.find(files[i].programName);
            if (it != set.end()) {
                EXPECT_EQ(readFile(disk + QLatin1Char('/') + files[i].backupName), it->second) << i;
            }
        }
    }
};

TEST_F(DiskBackupTest, OneDiskHoldsTheCopiesOfTheFilesThatExistAndItsRecord) {
    const auto set = writeUserSet(1, [](int i) { return i % 5 != 3; });
    writeProgramFile(QStringLiteral("Notes.fil"), "not a user file");
    const BackupResult r = backUp(QStringLiteral("Set 20260310 00C0FFEE"));
    EXPECT_EQ(r.outcome, BackupOutcome::Complete);
    EXPECT_EQ(r.disks, 1);
    expectCopies(disk(1), set, 0, 168);
    const QByteArray info = readFile(disk(1) + QStringLiteral("/DiskInfo.bk1"));
    EXPECT_EQ(info, record(QStringLiteral("HIPAA")) + record(QStringLiteral(" 1")) + Empty + record(QStringLiteral(" 162")) +
                        record(QStringLiteral("Set 20260310 00C0FFEE")) + record(QStringLiteral("T1")));
    EXPECT_EQ(user->statuses, std::vector<QString>{QStringLiteral("Making User Created Files Backup Disk #1")});
    // The copies are flushed before the records that complete the disk are written (each write
    // synced), the one naming the disk last.
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[log.size() - 3], QStringLiteral("sync ") + FaultyFileSystem::canonical(disk(1)));
    EXPECT_EQ(log[log.size() - 2], QStringLiteral("write DiskInfo.bk1 of 90 bytes"));
    EXPECT_EQ(log[log.size() - 1], QStringLiteral("write DiskInfo.bk1 of 30 bytes"));
    EXPECT_FALSE(user->progressVisible);
    EXPECT_EQ(user->progress.back(), 167);
}

TEST_F(DiskBackupTest, OldCopiesAndAStaleRecordGoButOtherFilesStay) {
    const auto set = writeUserSet(1, [](int i) { return i < 30; });
    // A complete-looking record and copies from an older, larger backup.
    QFile stale(disk(1) + QStringLiteral("/DISKINFO.BK1"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(record(QStringLiteral("HIPAA")) + record(QStringLiteral(" 1")) + Empty + record(QStringLiteral(" 162")));
    stale.close();
    for (const char* name : {"Action40.hb1", "POLICY3.HB1", "Notes.txt", "Other.bk1"}) {
        QFile f(disk(1) + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    EXPECT_EQ(backUp().outcome, BackupOutcome::Complete);
    EXPECT_EQ(sorted(filesIn(disk(1))),
              sorted(copiesOf(set) << QStringLiteral("DiskInfo.bk1") << QStringLiteral("Notes.txt") << QStringLiteral("Other.bk1")));
}

TEST_F(DiskBackupTest, AFolderThatCannotBeWrittenKeepsItsOldBackup) {
    writeUserSet(1);
    QFile old(disk(1) + QStringLiteral("/Action0.hb1"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("older backup");
    old.close();
    fs->failWriteOf(QStringLiteral("Test1.hb1"));
    const BackupResult r = backUp();
    EXPECT_EQ(r.outcome, BackupOutcome::DiskError);
    EXPECT_EQ(filesIn(disk(1)), QStringList{QStringLiteral("Action0.hb1")});
    EXPECT_EQ(readFile(disk(1) + QStringLiteral("/Action0.hb1")), QByteArray("older backup"));
    EXPECT_TRUE(user->statuses.empty());
}

TEST_F(DiskBackupTest, AMissingDriveIsADiskError) {
    writeUserSet(1);
    eject();
    EXPECT_EQ(backUp().outcome, BackupOutcome::DiskError);
}

TEST_F(DiskBackupTest, TheWriteTestNeedsNoSettingsFile) {
    const auto set = writeUserSet(1, [](int i) { return i != 3; });  // no HINV3.Fil
    EXPECT_EQ(backUp().outcome, BackupOutcome::Complete);
    expectCopies(disk(1), set, 0, 168);
}

TEST_F(DiskBackupTest, UntilTheDiskIsCompleteItsRecordNamesNoDisk) {
    writeUserSet(1);
    int checked = 0;
    user->onProgress = [&](int value) {
        if (value != 100) return;
        ++checked;
        EXPECT_TRUE(QFileInfo::exists(disk(1) + QStringLiteral("/DiskInfo.bk1")));
        EXPECT_EQ(diskInfoRecord(disk(1), 2), Empty);
        EXPECT_FALSE(isFirstBackupDisk(drive()));
    };
    EXPECT_EQ(backUp().outcome, BackupOutcome::Complete);
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(isFirstBackupDisk(drive()));
}

TEST_F(DiskBackupTest, AnUnreadableUserFileIsReportedAndTheOthersAreCopied) {
    auto set = writeUserSet(1);
    fs->failReadOf(QStringLiteral("Stat1.Fil"));
    fs->failReadOf(QStringLiteral("Action3.Fil"));
    const BackupResult r = backUp();
    EXPECT_EQ(r.outcome, BackupOutcome::Incomplete);
    EXPECT_EQ(r.unreadable, (QStringList{QStringLiteral("Stat1.Fil"), QStringLiteral("Action3.Fil")}));
    set.erase(QStringLiteral("Stat1.Fil"));
    set.erase(QStringLiteral("Action3.Fil"));
    expectCopies(disk(1), set, 0, 168);
}

TEST_F(DiskBackupTest, AFullDiskIsClosedAndFlushedBeforeTheNextIsAskedFor) {
    const auto set = writeUserSet(1);
    // Disk 1 fills while copying index 60 (position 66 of the 169).
    fs->setCapacity(disk(1), room(set, 0, 67) - 1);
    user->answer(QStringLiteral("next"), OK, [&] { insert(2); });
    const BackupResult r = backUp();
    EXPECT_EQ(r.outcome, BackupOutcome::Complete);
    EXPECT_EQ(r.disks, 2);
    expectCopies(disk(1), set, 0, 65);
    expectCopies(disk(2), set, 66, 168);
    EXPECT_EQ(diskInfoRecord(disk(1), 2), record(QStringLiteral(" 1")));
    EXPECT_EQ(diskInfoRecord(disk(1), 3), record(QStringLiteral(" 2")));
    EXPECT_EQ(diskInfoRecord(disk(1), 4), record(QStringLiteral(" 59")));
    EXPECT_EQ(diskInfoRecord(disk(2), 1), record(QStringLiteral("HIPAA")));
    EXPECT_EQ(diskInfoRecord(disk(2), 2), record(QStringLiteral(" 2")));
    EXPECT_EQ(diskInfoRecord(disk(2), 3), record(QStringLiteral(" 2")));
    EXPECT_EQ(diskInfoRecord(disk(2), 4), record(QStringLiteral(" 162")));
    EXPECT_EQ(diskInfoRecord(disk(1), 5), record(QStringLiteral("Set TEST")));
    EXPECT_EQ(diskInfoRecord(disk(2), 5), record(QStringLiteral("Set TEST")));
    EXPECT_EQ(diskInfoRecord(disk(2), 6), record(QStringLiteral("T1")));
    const auto prompt = std::find(log.begin(), log.end(), QStringLiteral("next 2"));
    ASSERT_NE(prompt, log.end());
    ASSERT_GE(prompt - log.begin(), 3);
    EXPECT_EQ(*(prompt - 3), QStringLiteral("sync ") + FaultyFileSystem::canonical(disk(1)));
    EXPECT_EQ(*(prompt - 1), QStringLiteral("write DiskInfo.bk1 of 30 bytes"));
    EXPECT_EQ(user->statuses, (std::vector<QString>{QStringLiteral("Making User Created Files Backup Disk #1"),
                                                   QStringLiteral("Deleting Old Files"),
                                                   QStringLiteral("Making User Created Files Backup Disk # 2")}));
}

TEST_F(DiskBackupTest, TheFullDiskLeftInTheDriveIsAskedForAgainAndNotCounted) {
    const auto set = writeUserSet(1);
    fs->setCapacity(disk(1), room(set, 0, 100) - 1);
    user->answer(QStringLiteral("next"), OK);  // disk 1 still in the drive
    user->answer(QStringLiteral("next"), OK, [&] { eject(); });  // OK before the medium is in
    user->chooseFolder(std::nullopt);
    user->answer(QStringLiteral("next"), OK);
    user->chooseFolder(disk(2));
    const BackupResult r = backUp();
    EXPECT_EQ(r.outcome, BackupOutcome::Complete);
    EXPECT_EQ(r.disks, 2);
    EXPECT_EQ(r.folder, disk(2) + QLatin1Char('/'));
    EXPECT_EQ(diskInfoRecord(disk(2), 2), record(QStringLiteral(" 2")));
    EXPECT_EQ(std::count(log.begin(), log.end(), QStringLiteral("next 2")), 3);
    expectCopies(disk(2), set, 99, 168);
}

TEST_F(DiskBackupTest, ANewDiskThatCannotBeWrittenIsAskedForAgain) {
    const auto set = writeUserSet(1);
    fs->setCapacity(disk(1), room(set, 0, 50) - 1);
    fs->setCapacity(disk(2), 10);  // not even the write test fits
    user->answer(QStringLiteral("next"), OK, [&] { insert(2); });
    user->answer(QStringLiteral("next"), OK, [&] { insert(3); });
    const BackupResult r = backUp();
    EXPECT_EQ(r.outcome, BackupOutcome::Complete);
    EXPECT_EQ(r.disks, 2);
    EXPECT_EQ(diskInfoRecord(disk(3), 2), record(QStringLiteral(" 2")));
    EXPECT_TRUE(filesIn(disk(2)).isEmpty());
}

TEST_F(DiskBackupTest, CancelAtTheNextDiskRemovesTheRecordOfThisBackupOnly) {
    const auto set = writeUserSet(1);
    fs->setCapacity(disk(1), room(set, 0, 80) - 1);
    user->answer(QStringLiteral("next"), Cancel);
    BackupResult r = backUp();
    EXPECT_EQ(r.outcome, BackupOutcome::Cancelled);
    EXPECT_FALSE(r.cancelledInFixedStage);
    EXPECT_FALSE(QFileInfo::exists(disk(1) + QStringLiteral("/DiskInfo.bk1")));

    // A disk of another backup in the drive when Cancel is pressed keeps its record.
    QFile other(disk(2) + QStringLiteral("/DiskInfo.bk1"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write(record(QStringLiteral("HIPAA")) + record(QStringLiteral(" 1")) + Empty + record(QStringLiteral(" 162")));
    other.close();
    insert(1);
    user->answer(QStringLiteral("next"), Cancel, [&] { insert(2); });
    r = backUp();
    EXPECT_EQ(r.outcome, BackupOutcome::Cancelled);
    EXPECT_TRUE(isFirstBackupDisk(disk(2)));
}

TEST_F(DiskBackupTest, FixedFilesThatDoNotFitStartAgainOnABlankDisk) {
    const auto set = writeUserSet(1);
    fs->setCapacity(disk(1), room(set, 0, 4) - 1);
    user->answer(QStringLiteral("blank"), Cancel);
    BackupResult r = backUp();
    EXPECT_EQ(r.outcome, BackupOutcome::Cancelled);
    EXPECT_TRUE(r.cancelledInFixedStage);
    EXPECT_TRUE(filesIn(disk(1)).isEmpty());

    user->answer(QStringLiteral("blank"), OK, [&] { insert(2); });
    r = backUp();
    EXPECT_EQ(r.outcome, BackupOutcome::Complete);
    EXPECT_EQ(r.disks, 1);
    EXPECT_TRUE(filesIn(disk(1)).isEmpty());
    expectCopies(disk(2), set, 0, 168);
    EXPECT_TRUE(isFirstBackupDisk(disk(2)));
}

TEST_F(DiskBackupTest, AFailedFlushIsAFailureNeverAComplete) {
    writeUserSet(1);
    fs->failSync(1);  // the flush of the copies before the record is completed
    const BackupResult r = backUp();
    EXPECT_EQ(r.outcome, BackupOutcome::Failed);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_FALSE(isFirstBackupDisk(drive()));
}

TEST_F(DiskBackupTest, EachBackupGetsItsOwnSetIdentity) {
    const QString a = newBackupSetIdentity();
    const QString b = newBackupSetIdentity();
    EXPECT_NE(a, b);
    EXPECT_TRUE(a.startsWith(QStringLiteral("Set ")));
    EXPECT_LE(a.size(), 28);
}

}  // namespace
