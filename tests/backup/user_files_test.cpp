// The set of user files and the disk-information record.
#include "backup/DiskInfo.h"
#include "backup/UserFiles.h"
#include "tests/backup/BackupFixture.h"

#include <QTemporaryDir>

using namespace backup;

namespace {

struct NameCase {
    int position;  // 1-6 fixed, else 100 + numbered index
    const char* programName;
    const char* backupName;
};

class UserFileNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(UserFileNames, ProgramAndBackupNames) {
    const NameCase c = GetParam();
    const UserFile f = c.position <= 6 ? fixedBackupFile(c.position) : numberedBackupFile(c.position - 100);
    EXPECT_EQ(f.programName, QString::fromLatin1(c.programName));
    EXPECT_EQ(f.backupName, QString::fromLatin1(c.backupName));
}

INSTANTIATE_TEST_SUITE_P(
    Table, UserFileNames,
    ::testing::Values(NameCase{1, "TODONAME.FIL", "ToDoName.hb1"}, NameCase{2, "GColor3.Fil", "Gcolor3.hb1"},
                      NameCase{3, "TODOActv.FIL", "ToDoActv.hb1"}, NameCase{4, "HINV3.Fil", "Hinv3.hb1"},
                      NameCase{5, "Stat1.Fil", "Stat1.hb1"}, NameCase{6, "RAList.Fil", "RAList.hb1"},
                      NameCase{100, "Action0.Fil", "Action0.hb1"}, NameCase{146, "Action46.Fil", "Action46.hb1"},
                      NameCase{147, "Comment0.Fil", "Comment0.hb1"}, NameCase{193, "Comment46.Fil", "Comment46.hb1"},
                      NameCase{194, "Policy0.Fil", "Policy0.hb1"}, NameCase{240, "Policy46.Fil", "Policy46.hb1"},
                      NameCase{241, "Wksht0.Fil", "Wksht0.hb1"}, NameCase{261, "Wksht20.Fil", "Wksht20.hb1"},
                      NameCase{262, "DRPln1.Fil", "DRPln1.hb1"}, NameCase{0, "", ""}, NameCase{7, "", ""},
                      NameCase{99, "", ""}, NameCase{263, "", ""}));

TEST(UserFileSet, HoldsEachOfTheSixAndTheNumberedFilesOnce) {
    const auto& files = userFiles();
    ASSERT_EQ(files.size(), 169u);
    QSet<QString> program, copies;
    for (const UserFile& f : files) {
        program.insert(f.programName.toLower());
        copies.insert(f.backupName.toLower());
    }
    EXPECT_EQ(program.size(), 169);
    EXPECT_EQ(copies.size(), 169);
    EXPECT_TRUE(isUserFileName(QStringLiteral("stat1.fil")));
    EXPECT_TRUE(isUserFileName(QStringLiteral("TODONAME.fil")));
    EXPECT_FALSE(isUserFileName(QStringLiteral("Action47.Fil")));
    EXPECT_FALSE(isUserFileName(QStringLiteral("Notes.fil")));
}

TEST(DiskInfoNumbers, StoredWithALeadingBlankAndReadFromTheirLeadingDigits) {
    EXPECT_EQ(diskNumberText(1), QStringLiteral(" 1"));
    EXPECT_EQ(diskNumberText(162), QStringLiteral(" 162"));
    EXPECT_EQ(diskNumberText(-1), QStringLiteral("-1"));
    const std::pair<const char*, int> reads[] = {{" 1", 1}, {" 162", 162}, {"-1", -1}, {"", 0},
                                                 {"  7x", 7}, {"x7", 0}, {" 99999999999", INT_MAX}};
    for (const auto& [text, value] : reads) EXPECT_EQ(diskNumberValue(QString::fromLatin1(text)), value) << text;
}

TEST(DiskInfoRead, NeverCreatesTheFileAndReadsAMissingOneAsEmpty) {
    QTemporaryDir dir;
    const DiskInfo info = readDiskInfo(dir.path());
    EXPECT_EQ(info.status, platform::ReadStatus::Missing);
    EXPECT_FALSE(info.hasSignature());
    EXPECT_EQ(info.diskNumber, 0);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("DiskInfo.bk1"))));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST(DiskInfoRead, ReadsAShortOrForeignFileWithoutRunningPastIt) {
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("diskinfo.BK1")));  // any letter case
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QByteArray bytes = platform::encodeStringRecord(QStringLiteral("  HIPAA"), 30);
    bytes += QByteArray("\xff\xff 2", 4);  // a length far beyond the record, cut short
    f.write(bytes);
    f.close();
    const DiskInfo info = readDiskInfo(dir.path());
    EXPECT_TRUE(info.hasSignature());
    EXPECT_EQ(info.diskNumber, 2);
    EXPECT_EQ(info.lastFileIndex, 0);
    EXPECT_TRUE(info.setIdentity.isEmpty());
}

}  // namespace
