// A backup disk that fails part way: only a full disk asks for the next one; any other error
// names its reason and stops; a medium taken out leaves nothing in its bare mount folder; and a
// file larger than its kind can be is never read whole, neither a user file nor a disk's record.
#include "backup/DiskInfo.h"
#include "tests/backup/BackupFixture.h"
#include "tests/support/platform/DiskFaults.h"

#include <algorithm>
#include <sys/mount.h>
#include <unistd.h>

using namespace backup;
using namespace backuptest;
constexpr backup::DiskAnswer Cancel = backup::DiskAnswer::Cancel;

namespace {

// The copy of index 30 (Action30.Fil): one in the middle of the numbered set.
const UserFile& middleCopy() { return userFiles()[FixedFileCount + 30]; }

int prompts(const std::vector<QString>& log) {
    return int(std::count_if(log.begin(), log.end(), [](const QString& entry) {
        return entry.startsWith(QLatin1String("next ")) || entry.startsWith(QLatin1String("blank ")) ||
               entry.startsWith(QLatin1String("choose "));
    }));
}

// Makes a file of `size` bytes that takes no room: its first bytes, then a hole.
void sparseFile(const QString& path, const QByteArray& head, qint64 size) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(head), head.size());
    ASSERT_TRUE(f.resize(size));
}

// ---- the reason of a failed copy -----------------------------------------------------------------

struct CopyTrouble {
    const char* name;
    int error;          // what writing the copy gives; 0: a folder stands in the copy's place
    bool asksNextDisk;  // only a full disk
    const char* reason; // the reason told when the backup stops
};

class CopyTroubleTest : public BackupTest, public ::testing::WithParamInterface<CopyTrouble> {};

TEST_P(CopyTroubleTest, OnlyAFullDiskAsksForTheNextAnyOtherErrorIsNamedAndStops) {
    const CopyTrouble& c = GetParam();
    writeUserSet(1);
    insert(1);
    const QString copyName = middleCopy().backupName;
    std::unique_ptr<testsupport::FaultyDisk> faulty;
    if (c.error == 0) {
        ASSERT_TRUE(QDir(disk(1)).mkdir(copyName));
    } else {
        faulty = std::make_unique<testsupport::FaultyDisk>();
        faulty->onlyFor(copyName).failStep(platform::FileStep::Write, 1, c.error);
    }
    if (c.asksNextDisk) user->answer(QStringLiteral("next"), Cancel);

    const BackupResult r = backUp();
    EXPECT_TRUE(user->allUsed());
    EXPECT_EQ(prompts(log), c.asksNextDisk ? 1 : 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), QStringLiteral("next 2")), c.asksNextDisk ? 1 : 0);
    if (c.asksNextDisk) {
        EXPECT_EQ(r.outcome, BackupOutcome::Cancelled);
    } else {
        EXPECT_EQ(r.outcome, BackupOutcome::Failed);
        EXPECT_EQ(r.reason, QString::fromLatin1(c.reason));
    }
    // Nothing after the copy that failed was written, and the disk never reads as a backup.
    const QStringList onDisk = filesIn(disk(1));
    EXPECT_FALSE(QFileInfo(disk(1) + QLatin1Char('/') + copyName).isFile());
    EXPECT_FALSE(onDisk.contains(userFiles()[FixedFileCount + 31].backupName));
    EXPECT_TRUE(onDisk.contains(userFiles()[FixedFileCount + 29].backupName) || c.asksNextDisk);
    EXPECT_FALSE(isFirstBackupDisk(disk(1)));
    if (c.error == 0) {
        EXPECT_TRUE(QFileInfo(disk(1) + QLatin1Char('/') + copyName).isDir());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Backup, CopyTroubleTest,
    ::testing::Values(CopyTrouble{"FullDisk", ENOSPC, true, ""},
                      CopyTrouble{"InputOutputError", EIO, false, "Action30.hb1 could not be written: Input/output error"},
                      CopyTrouble{"ReadOnlyMedium", EROFS, false,
                                  "Action30.hb1 could not be written: Read-only file system"},
                      CopyTrouble{"FolderInTheWay", 0, false, "Action30.hb1 could not be written: Is a directory"}),
    [](const ::testing::TestParamInfo<CopyTrouble>& info) { return std::string(info.param.name); });

// ---- a medium taken out part way -----------------------------------------------------------------

class MediumGoneTest : public BackupTest {};

TEST_F(MediumGoneTest, ABackupStopsWhenTheMediumGoesAwayAndWritesNothingIntoItsMountFolder) {
    testsupport::SmallTmpfs medium(4 * 1024 * 1024);
    QUORVANE_REQUIRE_TMPFS(medium);
    writeUserSet(1);
    insertFolder(medium.path());
    // The medium is taken out after the 60th user file was read, half way through.
    int reads = 0;
    bool unmounted = false;
    fs->afterReadOf = [&](const QString& path) {
        if (!path.startsWith(programPath()) || ++reads != 60) return;
        unmounted = ::umount2(QFile::encodeName(medium.path()).constData(), MNT_DETACH) == 0;
    };
    const BackupResult r = backUp();
    ASSERT_TRUE(unmounted) << "the medium could not be unmounted";
    EXPECT_EQ(r.outcome, BackupOutcome::DiskGone);
    EXPECT_EQ(r.reason, QStringLiteral("The backup disk went away before the backup was complete"));
    EXPECT_EQ(prompts(log), 0);
    // The bare mount folder on the disk below holds nothing.
    EXPECT_EQ(QDir(medium.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
              QStringList());
}

// ---- files larger than their kind can be ---------------------------------------------------------

class OversizedTest : public BackupTest {};

// A user document larger than any the program reads is not read whole, and never copied: its
// copy would be refused by every restore of the set.
TEST_F(OversizedTest, AUserFileLargerThanItsKindIsNamedAndNotCopied) {
    const auto set = writeUserSet(1);
    const UserFile& big = middleCopy();
    sparseFile(programPath() + QLatin1Char('/') + big.programName, "{\\rtf1 large", big.maxBytes + 1);
    insert(1);
    const BackupResult r = backUp();
    EXPECT_EQ(r.outcome, BackupOutcome::Incomplete);
    EXPECT_EQ(r.unreadable, QStringList{big.programName});
    const QStringList onDisk = filesIn(disk(1));
    EXPECT_FALSE(onDisk.contains(big.backupName));
    EXPECT_EQ(onDisk.size(), int(set.size()));  // every other copy and DiskInfo.bk1
    EXPECT_TRUE(isFirstBackupDisk(disk(1)));
}

// A disk's record is six records of 30 bytes; a larger file of its name is no backup disk, and
// it is never read whole.
TEST_F(OversizedTest, ADiskRecordFarLargerThanOneIsNoBackupDisk) {
    writeUserSet(1);
    insert(1);
    ASSERT_EQ(backUp().outcome, BackupOutcome::Complete);
    const QString info = disk(1) + QStringLiteral("/DiskInfo.bk1");
    const QByteArray record = readFile(info);
    ASSERT_TRUE(isFirstBackupDisk(disk(1)));
    sparseFile(info, record, 8 * 1024 * 1024);
    EXPECT_EQ(readDiskInfo(disk(1)).status, platform::ReadStatus::Unreadable);
    EXPECT_FALSE(isFirstBackupDisk(disk(1)));
}

}  // namespace
