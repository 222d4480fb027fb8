// The worksheet-title store RAList.Fil: default titles, what a read gives for missing, short,
// unreadable and stored files, and what a write stores, keeps and reports.
#include "workbook/WorksheetTitles.h"
#include "tests/support/platform/DiskFaults.h"
#include "tests/support/platform/PlatformFakes.h"

#include <QDir>

using namespace workbook;

namespace {

QByteArray record(const QByteArray& text) {
    QByteArray r(20, '\0');
    r[0] = char(text.size());
    r.replace(2, text.size(), text);
    return r;
}

struct DefaultCase {
    int button;
    const char* title;
};

class DefaultWorksheetTitleTest : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultWorksheetTitleTest, NumbersTheButtonFromOne) {
    EXPECT_EQ(defaultWorksheetTitle(GetParam().button), QString::fromLatin1(GetParam().title));
}

INSTANTIATE_TEST_SUITE_P(Buttons, DefaultWorksheetTitleTest,
                         ::testing::Values(DefaultCase{0, "Risk Analysis # 1"}, DefaultCase{8, "Risk Analysis # 9"},
                                           DefaultCase{9, "Risk Analysis #10"}, DefaultCase{20, "Risk Analysis #21"},
                                           DefaultCase{-1, ""}, DefaultCase{21, ""}));

class WorksheetTitlesTest : public testsupport::PlatformTest {};

TEST_F(WorksheetTitlesTest, NoFileMeansDefaultTitlesAndReadingCreatesNone) {
    const StoredWorksheetTitles t = readWorksheetTitles();
    EXPECT_EQ(t.status, platform::ReadStatus::Missing);
    for (int n = 0; n < WorksheetCount; ++n) EXPECT_EQ(t.shown(n), defaultWorksheetTitle(n));
    EXPECT_FALSE(folder->exists(QStringLiteral("RAList.Fil")));
}

TEST_F(WorksheetTitlesTest, StoredTitlesShowAsStoredAndAShortFileGivesDefaultsBeyondIt) {
    folder->write(QStringLiteral("RAList.Fil"), record("  Lobby") + record("") + record("Server Room"));
    const StoredWorksheetTitles t = readWorksheetTitles();
    EXPECT_EQ(t.status, platform::ReadStatus::Ok);
    EXPECT_EQ(t.shown(0), QStringLiteral("  Lobby"));
    EXPECT_EQ(t.shown(1), QStringLiteral("Risk Analysis # 2"));
    EXPECT_EQ(t.shown(2), QStringLiteral("Server Room"));
    EXPECT_EQ(t.shown(3), QStringLiteral("Risk Analysis # 4"));
    EXPECT_EQ(t.shown(20), QStringLiteral("Risk Analysis #21"));
}

TEST_F(WorksheetTitlesTest, ATitleTypedForTheThirdButtonGoesToRecordThreeAndNothingElseChanges) {
    QByteArray before = record("Lobby") + record("Pharmacy") + record("Old") + QByteArray(18 * 20, '\0') + "tail";
    folder->write(QStringLiteral("RAList.Fil"), before);
    WorksheetTitleTexts typed;
    typed[2] = QStringLiteral("Server Room");
    typed[5] = QStringLiteral("   ");  // only blanks: refused, the stored title stays
    const WorksheetTitlesWrite w = writeWorksheetTitles(typed);
    ASSERT_TRUE(w.ok) << w.reason.toStdString();
    QByteArray expected = before;
    expected.replace(40, 20, record("Server Room"));
    EXPECT_EQ(folder->read(QStringLiteral("RAList.Fil")), expected);
    EXPECT_TRUE(w.changed[2]);
    EXPECT_FALSE(w.changed[5]);
    EXPECT_EQ(w.stored[2], QStringLiteral("Server Room"));
    EXPECT_EQ(w.stored[0], QStringLiteral("Lobby"));
    EXPECT_EQ(readWorksheetTitles().shown(5), QStringLiteral("Risk Analysis # 6"));
}

TEST_F(WorksheetTitlesTest, LeadingBlanksAreStoredAndALongTitleIsCutToWhatARecordHolds) {
    WorksheetTitleTexts typed;
    typed[0] = QStringLiteral("  Lobby");
    typed[20] = QStringLiteral("Emergency Department West");
    const WorksheetTitlesWrite w = writeWorksheetTitles(typed);
    ASSERT_TRUE(w.ok);
    const QByteArray bytes = folder->read(QStringLiteral("RAList.Fil"));
    ASSERT_EQ(bytes.size(), 21 * 20);
    EXPECT_EQ(bytes.left(20), record("  Lobby"));
    EXPECT_EQ(bytes.mid(400, 20), record("Emergency Departme"));
    EXPECT_EQ(w.stored[20], QStringLiteral("Emergency Departme"));
    EXPECT_EQ(readWorksheetTitles().shown(20), QStringLiteral("Emergency Departme"));
}

TEST_F(WorksheetTitlesTest, NothingTypedWritesNothing) {
    const WorksheetTitlesWrite w = writeWorksheetTitles({});
    EXPECT_TRUE(w.ok);
    EXPECT_FALSE(folder->exists(QStringLiteral("RAList.Fil")));
}

TEST_F(WorksheetTitlesTest, AnUnreadableFileGivesDefaultsAndIsNotOverwritten) {
    ASSERT_TRUE(QDir(folder->path()).mkdir(QStringLiteral("RAList.Fil")));
    EXPECT_EQ(readWorksheetTitles().status, platform::ReadStatus::Unreadable);
    EXPECT_EQ(readWorksheetTitles().shown(3), QStringLiteral("Risk Analysis # 4"));
    WorksheetTitleTexts typed;
    typed[3] = QStringLiteral("Billing");
    const WorksheetTitlesWrite w = writeWorksheetTitles(typed);
    EXPECT_FALSE(w.ok);
    EXPECT_EQ(w.reason, QStringLiteral("RAList.Fil could not be read."));
    EXPECT_TRUE(QFileInfo(folder->file(QStringLiteral("RAList.Fil"))).isDir());
}

TEST_F(WorksheetTitlesTest, AFailedWriteKeepsEveryRecordAndSaysWhy) {
    const QByteArray before = record("Lobby") + record("Pharmacy");
    folder->write(QStringLiteral("RAList.Fil"), before);
    testsupport::FaultyDisk disk;
    disk.failStep(platform::FileStep::Write, 1, ENOSPC);
    WorksheetTitleTexts typed;
    typed[1] = QStringLiteral("Records Room");
    const WorksheetTitlesWrite w = writeWorksheetTitles(typed);
    EXPECT_FALSE(w.ok);
    EXPECT_FALSE(w.reason.isEmpty());
    EXPECT_FALSE(w.changed[1]);
    EXPECT_EQ(w.stored[1], QStringLiteral("Pharmacy"));
    EXPECT_EQ(folder->read(QStringLiteral("RAList.Fil")), before);
}

TEST_F(WorksheetTitlesTest, AFullDiskKeepsTheStoredTitles) {
    testsupport::SmallTmpfs disk(64 * 1024);
    QUORVANE_REQUIRE_TMPFS(disk);
    disk.makeProgramFolder();
    const QByteArray before = record("Lobby");
    {
        QFile f(disk.file(QStringLiteral("RAList.Fil")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(before);
    }
    ASSERT_TRUE(disk.fill());
    WorksheetTitleTexts typed;
    typed[0] = QStringLiteral("Front Desk");
    const WorksheetTitlesWrite w = writeWorksheetTitles(typed);
    EXPECT_FALSE(w.ok);
    EXPECT_EQ(w.stored[0], QStringLiteral("Lobby"));
    QFile f(disk.file(QStringLiteral("RAList.Fil")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

}  // namespace
