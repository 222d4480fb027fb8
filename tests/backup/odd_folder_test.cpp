// The restore's own entries in the program folder (.restore-staging, .restore-safety, the
// journal) found as something the restore did not make: a link out of the folder, a file where
// a folder belongs, a damaged or forged journal. Whatever stands there is used for nothing:
// a folder outside the program folder (the canary) keeps every byte, no user file changes at
// start, the odd entries are moved aside into a dated folder, and a restore afterwards works.
#include "backup/DiskInfo.h"
#include "tests/backup/BackupFixture.h"

#include <functional>
#include <unistd.h>

using namespace backup;
using namespace backuptest;

namespace {

// Everything under a folder, links as links (never followed): path -> bytes, or "-> target".
std::map<QString, QByteArray> snapshot(const QString& root) {
    std::map<QString, QByteArray> out;
    std::function<void(const QString&)> walk = [&](const QString& rel) {
        const QString dir = rel.isEmpty() ? root : root + QLatin1Char('/') + rel;
        for (const QString& name : QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            const QString path = dir + QLatin1Char('/') + name;
            const QString key = rel.isEmpty() ? name : rel + QLatin1Char('/') + name;
            const QFileInfo info(path);
            if (info.isSymLink()) out[key] = "-> " + QFile::encodeName(info.symLinkTarget());
            else if (info.isDir()) { out[key + QLatin1Char('/')] = {}; walk(key); }
            else {
                QFile f(path);
                out[key] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
            }
        }
    };
    walk({});
    return out;
}

const QByteArray WholeJournal = "Quorvane restore journal 1\nold Action0.Fil\nold Stat1.Fil\nend\n";

struct OddState {
    const char* name;
    // Makes the odd state in the program folder `prog`; `canary` is the folder outside.
    void (*make)(const QString& prog, const QString& canary);
    // The entries found odd, as the report names them (the first words of each).
    std::vector<const char*> found;
};

void linkTo(const QString& target, const QString& link) {
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()), 0);
}

void writeAt(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

const OddState OddStates[] = {
    {"StagingIsALinkOut", [](const QString& p, const QString& c) { linkTo(c, p + "/.restore-staging"); },
     {".restore-staging is a link"}},
    {"SafetyIsALinkOut", [](const QString& p, const QString& c) { linkTo(c, p + "/.restore-safety"); },
     {".restore-safety is a link"}},
    {"StagingIsAPlainFile", [](const QString& p, const QString&) { writeAt(p + "/.restore-staging", "a plain file"); },
     {".restore-staging is a file"}},
    {"SafetyIsAPlainFile", [](const QString& p, const QString&) { writeAt(p + "/.restore-safety", "a plain file"); },
     {".restore-safety is a file"}},
    {"JournalIsGarbage", [](const QString& p, const QString&) { writeAt(p + "/.restore-journal", "\x01\x02 not a journal"); },
     {".restore-journal is not a whole restore journal"}},
    {"JournalIsCutShort",
     [](const QString& p, const QString&) { writeAt(p + "/.restore-journal", WholeJournal.left(40)); },
     {".restore-journal is not a whole restore journal"}},
    {"JournalNamesAFileOutside",
     [](const QString& p, const QString& c) {
         writeAt(p + "/.restore-journal", "Quorvane restore journal 1\nold ../" + QFile::encodeName(QFileInfo(c).fileName()) +
                                              "/Action0.Fil\nend\n");
     },
     {".restore-journal names old ../"}},
    {"JournalNamesAContentDocument",
     [](const QString& p, const QString&) { writeAt(p + "/.restore-journal", "Quorvane restore journal 1\nold PR3.Hlp\nend\n"); },
     {".restore-journal names old PR3.Hlp"}},
    {"ForgedJournalWithSafetyLinkedOut",
     [](const QString& p, const QString& c) {
         writeAt(p + "/.restore-journal", WholeJournal);
         linkTo(c, p + "/.restore-safety");
     },
     {".restore-safety is a link"}},
    {"JournalWithAKeptLinkOut",
     [](const QString& p, const QString& c) {
         writeAt(p + "/.restore-journal", WholeJournal);
         QDir().mkpath(p + "/.restore-safety");
         linkTo(c + "/Action0.Fil", p + "/.restore-safety/Action0.Fil");
     },
     {".restore-safety holds Action0.Fil"}},
    {"JournalIsALinkToAJournalOutside",
     [](const QString& p, const QString& c) { linkTo(c + "/journal", p + "/.restore-journal"); },
     {".restore-journal is a link"}},
    {"JournalIsAFolder", [](const QString& p, const QString&) { QDir().mkpath(p + "/.restore-journal/x"); },
     {".restore-journal is a folder"}},
    {"NewJournalIsALinkOut", [](const QString& p, const QString& c) { linkTo(c + "/journal", p + "/.restore-journal.new"); },
     {".restore-journal.new is a link"}},
};

class OddRestoreEntries : public BackupTest, public ::testing::WithParamInterface<OddState> {
protected:
    void SetUp() override {
        BackupTest::SetUp();
        ASSERT_TRUE(canaryDir_.isValid());
        canary = canaryDir_.path();
        // A canary that looks like what a restore wants: user files, a journal, a subfolder.
        writeAt(canary + "/Action0.Fil", "{\\rtf1 the canary's Action0}");
        writeAt(canary + "/Stat1.Fil", QByteArray(40, 'c'));
        writeAt(canary + "/journal", WholeJournal);
        writeAt(canary + "/sub/deep.txt", "deep in the canary");
        canaryBefore = snapshot(canary);
        backedUp = writeUserSet(1);
        ASSERT_EQ(backUp().outcome, BackupOutcome::Complete);
        for (const auto& [name, bytes] : backedUp) QFile::remove(programPath() + QLatin1Char('/') + name);
        before = writeUserSet(2, [](int i) { return i % 4 != 1; });
        GetParam().make(programPath(), canary);
        if (HasFatalFailure()) return;
        oddEntries = snapshot(programPath());
        for (auto it = oddEntries.begin(); it != oddEntries.end();)
            it = it->first.startsWith(QLatin1String(".restore")) ? std::next(it) : oddEntries.erase(it);
        ASSERT_FALSE(oddEntries.empty());
        clock->setDate(2026, 3, 10);
        clock->setTime(9, 41, 7);
    }
    // The dated folder holds the odd entries exactly as they stood.
    void expectSetAside(const SetAside& aside) {
        EXPECT_EQ(aside.folder, QStringLiteral("Restore set aside 2026-03-10 094107"));
        ASSERT_EQ(aside.found.size(), qsizetype(GetParam().found.size())) << aside.found.join(QLatin1Char('|')).toStdString();
        for (qsizetype i = 0; i < aside.found.size(); ++i)
            EXPECT_TRUE(aside.found[i].startsWith(QLatin1String(GetParam().found[std::size_t(i)])))
                << aside.found[i].toStdString();
        EXPECT_EQ(snapshot(programPath() + QLatin1Char('/') + aside.folder), oddEntries);
        EXPECT_TRUE(filesIn(programPath()).filter(QStringLiteral(".restore")).isEmpty());
    }
    QString canary;
    std::map<QString, QByteArray> canaryBefore, backedUp, before, oddEntries;

private:
    QTemporaryDir canaryDir_;
};

TEST_P(OddRestoreEntries, TheStartChangesNoUserFileAndMovesThemAside) {
    QString why;
    SetAside aside;
    EXPECT_EQ(finishInterruptedRestore(&why, &aside), InterruptedRestore::SetAside);
    EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), before));
    expectSetAside(aside);
    EXPECT_EQ(snapshot(canary), canaryBefore);
    // Once they are aside, nothing is left to finish.
    EXPECT_EQ(finishInterruptedRestore(), InterruptedRestore::None);
}

TEST_P(OddRestoreEntries, ARestoreAfterwardsWorksAndTouchesNothingOutside) {
    const RestoreResult r = restore();
    EXPECT_EQ(r.outcome, RestoreOutcome::Restored) << r.reason.toStdString();
    EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), backedUp));
    expectSetAside(r.setAside);
    EXPECT_EQ(snapshot(canary), canaryBefore);
}

INSTANTIATE_TEST_SUITE_P(Cases, OddRestoreEntries, ::testing::ValuesIn(OddStates),
                         [](const auto& info) { return std::string(info.param.name); });

// Links inside a real staging folder are removed as links: what they lead to stays.
TEST_F(BackupTest, LinksInsideALeftoverStagingFolderAreRemovedNotFollowed) {
    QTemporaryDir canaryDir;
    const QString canary = canaryDir.path();
    writeAt(canary + "/sub/deep.txt", "deep in the canary");
    writeAt(canary + "/Action0.Fil", "the canary's Action0");
    const auto canaryBefore = snapshot(canary);
    QDir().mkpath(programPath() + "/.restore-staging");
    linkTo(canary, programPath() + "/.restore-staging/folder");
    linkTo(canary + "/Action0.Fil", programPath() + "/.restore-staging/Action0.Fil");
    EXPECT_EQ(finishInterruptedRestore(), InterruptedRestore::Cleared);
    EXPECT_FALSE(QFileInfo::exists(programPath() + "/.restore-staging"));
    EXPECT_EQ(snapshot(canary), canaryBefore);
}

}  // namespace
