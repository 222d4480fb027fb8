// Writes that fail as real disks fail: every step of a whole-file write and of a record written
// in place, a disk that fills part way, a real full tmpfs, and the temporary files that an
// interrupted save leaves, which start-up removes and nothing else.
#include "platform/FileFaults.h"
#include "platform/Files.h"
#include "tests/support/platform/DiskFaults.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using testsupport::FaultyDisk;

namespace {

QString reasonOf(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// A document bigger than one write, with every byte different from its neighbours' pattern.
QByteArray bigDocument(int size, char salt) {
    QByteArray out(size, '\0');
    for (int i = 0; i < size; ++i) out[i] = char('a' + (i * 7 + salt) % 26);
    return out;
}

class FileFaultsTest : public ::testing::Test {
protected:
    QStringList entries() const {
        return QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    testsupport::TempProgramFolder folder_;
};

// ---- one failing step of a whole-file write ----------------------------------------------------

struct StepCase {
    const char* name;
    FileStep step;
    int n;  // the n-th step of that kind
    int error;
};

class WholeFileStepFails : public FileFaultsTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(WholeFileStepFails, TheOldFileStaysByteForByteAndTheReasonIsTold) {
    const StepCase& c = GetParam();
    const QByteArray old = bigDocument(70000, 1);
    folder_.write(QStringLiteral("Action0.Fil"), old);
    FaultyDisk disk;
    disk.failStep(c.step, c.n, c.error);
    QString error;
    WriteOutcome outcome = WriteOutcome::Done;
    EXPECT_FALSE(writeWholeFile(QStringLiteral("Action0.Fil"), bigDocument(150000, 2), &error, &outcome));
    EXPECT_EQ(error, reasonOf(c.error));
    EXPECT_EQ(outcome, WriteOutcome::Failed);
    EXPECT_EQ(folder_.read(QStringLiteral("Action0.Fil")), old);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Action0.Fil")});  // no temporary file left
}

TEST_P(WholeFileStepFails, ANewFileIsNotLeftBehindHalfWritten) {
    const StepCase& c = GetParam();
    FaultyDisk disk;
    disk.failStep(c.step, c.n, c.error);
    EXPECT_FALSE(writeWholeFile(QStringLiteral("Wksht4.Fil"), bigDocument(150000, 3)));
    EXPECT_TRUE(entries().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, WholeFileStepFails,
    ::testing::Values(StepCase{"Create", FileStep::Create, 1, EDQUOT},
                      StepCase{"FirstWrite", FileStep::Write, 1, ENOSPC},
                      StepCase{"ThirdWrite", FileStep::Write, 3, EIO},
                      StepCase{"Sync", FileStep::Sync, 1, EIO},
                      StepCase{"Close", FileStep::Close, 1, EIO},
                      StepCase{"Rename", FileStep::Rename, 1, EBUSY}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

// The disk fills after so many bytes: the write that crosses the limit is short, the next one
// fails, and whatever fitted never takes the old file's place.
class DiskFillsPartWay : public FileFaultsTest, public ::testing::WithParamInterface<qint64> {};

TEST_P(DiskFillsPartWay, TheOldFileStaysAndTheDiskIsNamedFull) {
    const QByteArray old = "{\\rtf1 the user's earlier text}";
    folder_.write(QStringLiteral("DRPln1.Fil"), old);
    FaultyDisk disk;
    disk.fillAfter(GetParam());
    QString error;
    EXPECT_FALSE(writeWholeFile(QStringLiteral("DRPln1.Fil"), bigDocument(200000, 4), &error));
    EXPECT_EQ(error, reasonOf(ENOSPC));
    EXPECT_EQ(folder_.read(QStringLiteral("DRPln1.Fil")), old);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("DRPln1.Fil")});
}

INSTANTIATE_TEST_SUITE_P(Files, DiskFillsPartWay, ::testing::Values(0, 1, 16383, 65536, 199999));

// After the rename the new file stands, but a folder that could not be synced may still lose
// it in a power cut: the save is not told as done, and not as failed either.
TEST_F(FileFaultsTest, AFolderThatCannotBeSyncedIsNoSuccess) {
    folder_.write(QStringLiteral("Comment7.Fil"), "{\\rtf1 old}");
    FaultyDisk disk;
    disk.failStep(FileStep::SyncFolder, 1, EIO);
    QString error;
    WriteOutcome outcome = WriteOutcome::Done;
    EXPECT_FALSE(writeWholeFile(QStringLiteral("Comment7.Fil"), "{\\rtf1 new}", &error, &outcome));
    EXPECT_EQ(error, reasonOf(EIO));
    EXPECT_EQ(outcome, WriteOutcome::NotDurable);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Comment7.Fil")});
    EXPECT_EQ(folder_.read(QStringLiteral("Comment7.Fil")), QByteArray("{\\rtf1 new}"));
    EXPECT_TRUE(writeWholeFile(QStringLiteral("Comment7.Fil"), "{\\rtf1 again}", &error, &outcome));
    EXPECT_EQ(outcome, WriteOutcome::Done);
}

// The order that makes a save survive a crash and a power cut.
TEST_F(FileFaultsTest, AWholeFileWriteSyncsTheFileBeforeTheRenameAndTheFolderAfterIt) {
    const QByteArray doc = bigDocument(150000, 5);
    FaultyDisk disk;
    ASSERT_TRUE(writeWholeFile(QStringLiteral("Policy46.Fil"), doc));
    using S = FileStep;
    const std::vector<S> expected = {S::Create, S::Write, S::Write, S::Write, S::Sync,
                                     S::Close,  S::Rename, S::SyncFolder};
    EXPECT_EQ(disk.history(), expected);
    EXPECT_EQ(folder_.read(QStringLiteral("Policy46.Fil")), doc);
}

TEST_F(FileFaultsTest, AReplacedFileKeepsItsPermissions) {
    folder_.write(QStringLiteral("Action3.Fil"), "old");
    ASSERT_TRUE(QFile::setPermissions(folder_.file(QStringLiteral("Action3.Fil")),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(writeWholeFile(QStringLiteral("Action3.Fil"), "new"));
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(folder_.file(QStringLiteral("Action3.Fil"))).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(FileFaultsTest, QuotedLinesAndCopiesGoTheSameSafeWay) {
    folder_.write(QStringLiteral("TODOActv.FIL"), "\"old\"\r\n");
    folder_.write(QStringLiteral("Stat1.Fil"), "status bytes");
    FaultyDisk disk;
    disk.failStep(FileStep::Sync, 1, EIO).failStep(FileStep::Rename, 1, EIO);  // the first write never got to its rename
    QString error;
    EXPECT_FALSE(writeQuotedLines(QStringLiteral("TODOActv.FIL"), {QStringLiteral("new")}, &error));
    EXPECT_EQ(error, reasonOf(EIO));
    EXPECT_FALSE(copyFileSafely(QStringLiteral("Stat1.Fil"), QStringLiteral("TODOActv.FIL"), &error));
    EXPECT_EQ(folder_.read(QStringLiteral("TODOActv.FIL")), QByteArray("\"old\"\r\n"));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("Stat1.Fil"), QStringLiteral("TODOActv.FIL")}));
}

// ---- records written in place --------------------------------------------------------------------

TEST_F(FileFaultsTest, ARecordIsToldWrittenOnlyOnceItIsSynced) {
    folder_.write(QStringLiteral("Stat1.Fil"), QByteArray(68 * 20, '\0'));
    {
        FaultyDisk disk;
        ASSERT_TRUE(writeStringRecord(QStringLiteral("Stat1.Fil"), 20, 5, QStringLiteral("Review")));
        EXPECT_EQ(disk.history(), (std::vector<FileStep>{FileStep::Write, FileStep::Sync}));
    }
    {
        // Written but not synced: the record is in the file and may not survive a power loss.
        FaultyDisk disk;
        disk.failStep(FileStep::Sync, 1, EIO);
        WriteOutcome outcome = WriteOutcome::Done;
        EXPECT_FALSE(writeStringRecord(QStringLiteral("Stat1.Fil"), 20, 6, QStringLiteral("Working"), &outcome));
        EXPECT_EQ(outcome, WriteOutcome::NotDurable);
    }
    {
        FaultyDisk disk;
        disk.failStep(FileStep::Write, 1, ENOSPC);
        WriteOutcome outcome = WriteOutcome::Done;
        EXPECT_FALSE(writeStringRecord(QStringLiteral("Stat1.Fil"), 20, 7, QStringLiteral("Pending"), &outcome));
        EXPECT_EQ(outcome, WriteOutcome::Failed);
    }
    EXPECT_EQ(readStringRecord(QStringLiteral("Stat1.Fil"), 20, 5), QStringLiteral("Review"));
    EXPECT_EQ(readStringRecord(QStringLiteral("Stat1.Fil"), 20, 6), QStringLiteral("Working"));
    EXPECT_TRUE(readStringRecord(QStringLiteral("Stat1.Fil"), 20, 7).isEmpty());
}

TEST_F(FileFaultsTest, ANewRecordFileHasItsNameSyncedToo) {
    FaultyDisk disk;
    ASSERT_TRUE(writeStringRecord(QStringLiteral("GColor3.Fil"), 20, 35, QStringLiteral("Yes")));
    EXPECT_EQ(disk.history(), (std::vector<FileStep>{FileStep::Create, FileStep::Write, FileStep::Sync,
                                                     FileStep::SyncFolder}));
    FaultyDisk failing;
    failing.failStep(FileStep::SyncFolder, 1, EIO);
    WriteOutcome outcome = WriteOutcome::Done;
    EXPECT_FALSE(writeStringRecord(QStringLiteral("RAList.Fil"), 20, 1, QStringLiteral("Title"), &outcome));
    EXPECT_EQ(outcome, WriteOutcome::NotDurable);
}

TEST_F(FileFaultsTest, OnlyTheNamedFileIsCountedAndFailed) {
    FaultyDisk disk;
    disk.failStep(FileStep::Rename, 1, EIO);
    disk.onlyFor(QStringLiteral("wksht2.fil"));
    EXPECT_TRUE(writeWholeFile(QStringLiteral("Wksht1.Fil"), "one"));
    EXPECT_FALSE(writeWholeFile(QStringLiteral("Wksht2.Fil"), "two"));
    EXPECT_EQ(disk.steps(FileStep::Rename), 1);
}

// ---- interrupted saves ---------------------------------------------------------------------------

// The temporary file a save writes is one that start-up recognises as its own.
TEST_F(FileFaultsTest, TheTemporaryFileOfASaveIsRecognisedAsAnInterruptedSave) {
    struct Peek : FileFaultHook {
        QString folder;
        QStringList seen;
        int beforeStep(FileStep step, const QString&, qint64*) override {
            if (step == FileStep::Rename)
                seen = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
            return step == FileStep::Rename ? EIO : 0;
        }
    } peek;
    peek.folder = folder_.path();
    setFileFaultHook(&peek);
    const bool written = writeWholeFile(QStringLiteral("Action12.Fil"), "text");
    setFileFaultHook(nullptr);
    EXPECT_FALSE(written);
    ASSERT_EQ(peek.seen.size(), 1);
    EXPECT_TRUE(peek.seen[0].startsWith(QStringLiteral(".Action12.Fil.")));
    EXPECT_TRUE(isInterruptedSaveName(peek.seen[0])) << peek.seen[0].toStdString();
}

struct LeftoverCase {
    const char* name;
    bool ours;
};

class InterruptedSaveNames : public ::testing::TestWithParam<LeftoverCase> {};

TEST_P(InterruptedSaveNames, OnlyTheShapeOfOurTemporaryFilesIsOurs) {
    EXPECT_EQ(isInterruptedSaveName(QString::fromLatin1(GetParam().name)), GetParam().ours);
}

INSTANTIATE_TEST_SUITE_P(
    Files, InterruptedSaveNames,
    ::testing::Values(LeftoverCase{".Action0.Fil.~save-Ab12Cd", true},
                      LeftoverCase{".Stat1.Fil.~save-000000", true}, LeftoverCase{"..hidden.~save-zzzzzz", true},
                      LeftoverCase{"Action0.Fil.~save-Ab12Cd", false},   // no leading dot
                      LeftoverCase{".Action0.Fil.~save-Ab12C", false},   // five letters
                      LeftoverCase{".Action0.Fil.~save-Ab12Cd7", false}, // seven letters
                      LeftoverCase{".Action0.Fil.~save-Ab_2Cd", false},
                      LeftoverCase{".~save-Ab12Cd", false},              // no name before it
                      LeftoverCase{"Action0.Fil.Ab12Cd", false},         // another program's shape
                      LeftoverCase{".Action0.Fil.save-Ab12Cd", false}, LeftoverCase{"Action0.Fil", false},
                      LeftoverCase{".hidden", false}));

TEST_F(FileFaultsTest, StartUpRemovesInterruptedSavesAndNothingElse) {
    const QStringList ours = {QStringLiteral(".Action0.Fil.~save-Ab12Cd"), QStringLiteral(".Stat1.Fil.~save-XyZ987")};
    const QStringList others = {QStringLiteral("Action0.Fil"), QStringLiteral("Action0.Fil.Ab12Cd"),
                                QStringLiteral(".Action0.Fil.~save-Ab12C"), QStringLiteral("notes.txt"),
                                QStringLiteral(".hidden")};
    for (const QString& n : ours + others) folder_.write(n, "bytes");
    // A link and a folder of our shape are not files a save left.
    const QString outside = folder_.file(QStringLiteral("notes.txt"));
    ASSERT_EQ(::symlink(QFile::encodeName(outside).constData(),
                        QFile::encodeName(folder_.file(QStringLiteral(".Policy1.Fil.~save-aaaaaa"))).constData()),
              0);
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral(".Policy2.Fil.~save-bbbbbb")));

    EXPECT_EQ(removeInterruptedSaves(), 2);
    QStringList left = others;
    left << QStringLiteral(".Policy1.Fil.~save-aaaaaa");
    left.sort();
    EXPECT_EQ(entries(), left);
    EXPECT_TRUE(QFileInfo(folder_.file(QStringLiteral(".Policy2.Fil.~save-bbbbbb"))).isDir());
    EXPECT_EQ(folder_.read(QStringLiteral("notes.txt")), QByteArray("bytes"));
    EXPECT_EQ(removeInterruptedSaves(), 0);
}

// ---- a real full disk ----------------------------------------------------------------------------

TEST(FullTmpfs, AWholeFileWriteOnAFullDiskKeepsTheOldFile) {
    testsupport::SmallTmpfs disk(256 * 1024);
    QUORVANE_REQUIRE_TMPFS(disk);
    disk.makeProgramFolder();
    const QByteArray old = "{\\rtf1 policy text written last week}";
    ASSERT_TRUE(writeWholeFile(QStringLiteral("Policy0.Fil"), old));
    ASSERT_TRUE(disk.fill());
    for (const int size : {100, 16000, 100000}) {
        QString error;
        EXPECT_FALSE(writeWholeFile(QStringLiteral("Policy0.Fil"), bigDocument(size, 6), &error)) << size;
        EXPECT_EQ(error, reasonOf(ENOSPC)) << size;
        QFile f(disk.file(QStringLiteral("Policy0.Fil")));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), old) << size;
    }
    EXPECT_FALSE(writeStringRecord(QStringLiteral("Stat1.Fil"), 20, 1, QStringLiteral("Completed")));
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{QStringLiteral("Policy0.Fil"), QStringLiteral("Stat1.Fil"), QStringLiteral("filler.bin")}));
    disk.unfill();
    EXPECT_TRUE(writeWholeFile(QStringLiteral("Policy0.Fil"), bigDocument(100000, 6)));
}

}  // namespace
