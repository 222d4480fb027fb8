// A backup medium whose copies are not what the user files can be: far too large, empty, cut
// short, random, NUL-filled, of the wrong shape, or a folder, a link or a FIFO in a copy's
// place. The restore names the copy and stops before anything in the program folder changes.
#include "backup/DiskInfo.h"
#include "tests/backup/BackupFixture.h"

#include <sys/stat.h>
#include <unistd.h>

using namespace backup;
using namespace backuptest;

namespace {

struct DamageCase {
    const char* name;
    const char* copy;  // the backup name damaged
    void (*damage)(const QString& path);
    const char* reason;  // how the reason begins
};

void overwrite(const QString& path, const QByteArray& bytes) {
    QFile::remove(path);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray randomBytes(int size) {
    QByteArray out(size, '\0');
    quint32 x = 12345;
    for (char& c : out) {
        x = x * 1103515245u + 12345u;
        c = char(x >> 16);
    }
    return out;
}

const DamageCase DamageCases[] = {
    {"DocumentOfTwoGigabytes", "Action0.hb1",
     [](const QString& p) {
         QFile f(p);
         ASSERT_TRUE(f.open(QIODevice::ReadWrite));
         ASSERT_TRUE(f.resize(qint64(2) << 30));  // sparse: no disk and no memory taken
     },
     "it is larger than Action0.Fil can be"},
    {"EmptyDocument", "Comment3.hb1", [](const QString& p) { overwrite(p, {}); }, "it is empty"},
    {"DocumentCutShort", "Policy5.hb1",
     [](const QString& p) {
         QFile f(p);
         ASSERT_TRUE(f.open(QIODevice::ReadOnly));
         const QByteArray whole = f.readAll();
         f.close();
         overwrite(p, whole.left(whole.size() / 2));
     },
     "the rich-text document in it is cut short"},
    {"RandomDocument", "Wksht2.hb1", [](const QString& p) { overwrite(p, randomBytes(900)); },
     "it is not a rich-text (RTF) document"},
    {"NulFilledDocument", "DRPln1.hb1", [](const QString& p) { overwrite(p, QByteArray(1000, '\0')); },
     "it is not a rich-text (RTF) document"},
    {"FolderInPlaceOfADocument", "Action1.hb1",
     [](const QString& p) {
         QFile::remove(p);
         ASSERT_TRUE(QDir().mkpath(p));
     },
     "it is a folder"},
    {"LinkInPlaceOfADocument", "Action2.hb1",
     [](const QString& p) {
         const QString real = p + QStringLiteral(".real");
         ASSERT_TRUE(QFile::rename(p, real));
         ASSERT_EQ(::symlink(QFile::encodeName(real).constData(), QFile::encodeName(p).constData()), 0);
     },
     "it is a link"},
    {"FifoInPlaceOfADocument", "Action3.hb1",
     [](const QString& p) {
         QFile::remove(p);
         ASSERT_EQ(::mkfifo(QFile::encodeName(p).constData(), 0644), 0);
     },
     "it is not a copy of a file"},
    {"RandomStatusStore", "Stat1.hb1", [](const QString& p) { overwrite(p, randomBytes(1000)); },
     "record "},
    {"StatusStoreTooLarge", "Stat1.hb1", [](const QString& p) { overwrite(p, QByteArray(20 * 69, '\0')); },
     "it is larger than Stat1.Fil can be"},
    {"BackColourOfAnUnknownType", "Hinv3.hb1",
     [](const QString& p) { overwrite(p, QByteArray(20, '\0') + QByteArray("\x05\x00", 2) + QByteArray(8, '\0')); },
     "record 3 does not hold a value of HINV3.Fil"},
    {"ToDoListOfNuls", "ToDoActv.hb1", [](const QString& p) { overwrite(p, QByteArray(500, '\0')); },
     "it is not a file of text lines"},
    {"ToDoListCutShort", "ToDoActv.hb1", [](const QString& p) { overwrite(p, "\"Audit\"\r\n\"Mon - Ja"); },
     "its last line is cut short"},
    {"NamesThatAreNotQuotedLines", "ToDoName.hb1", [](const QString& p) { overwrite(p, "Audit\r\nReview\r\n"); },
     "it is not a file of quoted text lines"},
};

class DamagedCopy : public BackupTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedCopy, IsNamedAndTheRestoreChangesNothing) {
    const DamageCase& c = GetParam();
    writeUserSet(1);
    ASSERT_EQ(backUp().outcome, BackupOutcome::Complete);
    const auto before = writeUserSet(2);
    const auto others = otherFilesInProgramFolder();
    c.damage(disk(1) + QLatin1Char('/') + QString::fromLatin1(c.copy));
    if (HasFatalFailure()) return;
    const RestoreResult r = restore();
    EXPECT_EQ(r.outcome, RestoreOutcome::DamagedCopy);
    EXPECT_EQ(r.file, QString::fromLatin1(c.copy));
    EXPECT_EQ(r.disk, 1);
    EXPECT_TRUE(r.reason.startsWith(QString::fromLatin1(c.reason))) << r.reason.toStdString();
    EXPECT_TRUE(r.unchanged());
    EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), before));
    EXPECT_TRUE(sameFiles(otherFilesInProgramFolder(), others));
    EXPECT_TRUE(filesIn(programPath()).filter(QStringLiteral(".restore")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedCopy, ::testing::ValuesIn(DamageCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The copies the program writes, of every kind, pass the same checks.
TEST_F(BackupTest, EveryCopyThatTheProgramWroteIsTakenBack) {
    const auto set = writeUserSet(3);
    ASSERT_EQ(backUp().outcome, BackupOutcome::Complete);
    for (const UserFile& file : userFiles()) {
        auto it = set.find(file.programName);
        ASSERT_NE(it, set.end());
        EXPECT_EQ(copyDamage(file, it->second), QString()) << file.programName.toStdString();
    }
}

}  // namespace
