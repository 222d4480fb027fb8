// A backup and a restore as a new user makes them: statuses and a document entered in the
// Action Area, "Backup User Created Files" to a folder, some files changed and deleted, then
// "Restore User Created Files": every user file is the backup's again, nothing else is touched,
// and the Action Area shows the restored statuses and documents.
#include "backup/Backup1.h"
#include "backup/DiskInfo.h"
#include "catalogue/Catalogue.h"
#include "frame/Startfrm.h"
#include "tests/backup/BackupFixture.h"
#include "workbook/WorkArea1.h"

#include <QDirIterator>

using namespace platform;
using namespace backup;
using namespace backuptest;

namespace {

class NewUser : public BackupTest {
protected:
    void SetUp() override {
        BackupTest::SetUp();
        QDirIterator it(QStringLiteral(QUORVANE_CONTENT_DIR), QDir::Files);
        while (it.hasNext()) {
            const QString src = it.next();
            QFile::copy(src, programPath() + QLatin1Char('/') + QFileInfo(src).fileName());
        }
    }
    WorkArea1& openActionArea() {
        Startfrm& start = defaultInstance<Startfrm>();
        start.show();
        start.Command2.click();
        return defaultInstance<WorkArea1>();
    }
    void chooseStatus(WorkArea1& w, int entry, const QString& status) {
        w.SSCommand11[catalogue::PageAdministrative].click();
        w.SSCommand14[entry].click();
        ASSERT_TRUE(w.Combo1.pickText(status));
    }
    // In the backup window: the folder chosen, the action button pressed, "Yes", then Exit.
    void inTheBackupWindow(const QString& folder, const QString& expectedStatus) {
        onModal(QStringLiteral("Backup1"), [this, folder, expectedStatus](Form& f) {
            auto& w = static_cast<Backup1&>(f);
            ASSERT_TRUE(w.Dir1.setPath(folder));
            dialogs->answer(QStringLiteral("Delete Files"), Answer::Yes);
            w.SSCommand2.click();
            EXPECT_EQ(w.SSPanel2.caption(), expectedStatus);
            w.SSCommand1.click();
        });
    }
};

TEST_F(NewUser, BacksUpChangesAndRestoresTheWholeRecord) {
    WorkArea1& w = openActionArea();
    chooseStatus(w, 0, QStringLiteral("Completed"));
    chooseStatus(w, 3, QStringLiteral("Working"));
    w.SSCommand14[0].click();
    w.SSOption3.click();
    w.Rtext3.type(QStringLiteral("Risk analysis finished in March with the security official."));
    w.SSCommand6.click();
    // Documents written over the years.
    writeUserSet(1, [](int i) { return i >= FixedFileCount + 10 && i % 4 == 0; });
    const auto backedUp = userFilesInProgramFolder();
    ASSERT_GT(backedUp.size(), 30u);

    inTheBackupWindow(disk(1), QStringLiteral("Backup Complete"));
    w.mUBack.click();
    // Exactly the copies of the user files that exist, and the disk's record.
    QStringList expected{QStringLiteral("DiskInfo.bk1")};
    for (const UserFile& f : userFiles())
        if (backedUp.count(f.programName)) {
            expected << f.backupName;
            EXPECT_EQ(readFile(disk(1) + QLatin1Char('/') + f.backupName), backedUp.at(f.programName));
        }
    QStringList onDisk = filesIn(disk(1));
    onDisk.sort();
    expected.sort();
    EXPECT_EQ(onDisk, expected);
    const QByteArray info = readFile(disk(1) + QStringLiteral("/DiskInfo.bk1"));
    ASSERT_EQ(info.size(), 180);
    auto record = [](const char* text) { return encodeStringRecord(QString::fromLatin1(text), 30); };
    EXPECT_EQ(info.mid(0, 30), record("HIPAA"));
    EXPECT_EQ(info.mid(30, 30), record(" 1"));
    EXPECT_EQ(info.mid(60, 30), QByteArray(30, '\0'));
    EXPECT_EQ(info.mid(90, 30), record(" 162"));
    EXPECT_TRUE(decodeStringRecord(info.mid(120, 30)).startsWith(QStringLiteral("Set ")));
    EXPECT_EQ(info.mid(150, 30), record("T1"));

    // The user goes on working: a status changed, documents changed and deleted.
    chooseStatus(w, 0, QStringLiteral("Review"));
    w.SSCommand14[0].click();
    w.SSOption3.click();
    w.Rtext3.type(QStringLiteral(" Added later."));
    w.SSCommand6.click();
    const QString deleted = backedUp.rbegin()->first;
    QFile::remove(programPath() + QLatin1Char('/') + deleted);
    writeProgramFile(QStringLiteral("Comment9.Fil"), "{\\rtf1 written after the backup}");
    w.SSCommand11[catalogue::PageOverview].click();
    const auto others = otherFilesInProgramFolder();

    inTheBackupWindow(disk(1), QStringLiteral("Restoration Completed"));
    w.mURestore.click();
    EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), backedUp));
    EXPECT_TRUE(sameFiles(otherFilesInProgramFolder(), others));

    // The Action Area shows what was restored.
    EXPECT_EQ(w.AreaMode, catalogue::PageOverview);
    EXPECT_EQ(w.VSGd1.textMatrix(1, 4).split(QStringLiteral("\r\n")).value(0), QStringLiteral("Completed"));
    w.SSCommand11[catalogue::PageAdministrative].click();
    w.SSCommand14[0].click();
    EXPECT_EQ(w.Combo1.text(), QStringLiteral("Completed"));
    w.SSOption3.click();
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("Risk analysis finished in March with the security official."));
    w.SSCommand14[3].click();
    EXPECT_EQ(w.Combo1.text(), QStringLiteral("Working"));
}

// The program stopped while a restore replaced the files (here: the replacing failed and so
// did putting them back): the next start puts them back before anything reads them.
TEST_F(NewUser, TheNextStartPutsBackTheFilesOfAnInterruptedRestoreAndSaysSo) {
    writeUserSet(1);
    ASSERT_EQ(backUp().outcome, BackupOutcome::Complete);
    const auto before = writeUserSet(2);
    fs->failRename(60);
    fs->failSync(5);
    ASSERT_EQ(restore().outcome, RestoreOutcome::PutBackFailed);
    ASSERT_TRUE(QFileInfo::exists(programPath() + QLatin1Char('/') + RestoreJournalFile));

    dialogs->answer(QStringLiteral("Restore Function"), Answer::OK);
    openActionArea();
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Restore Function")).at(0).text,
              QStringLiteral("Quorvane was stopped while it restored the User Created Files.\rThey have been put back as "
                             "they were before the restore."));
    EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), before));
    EXPECT_TRUE(filesIn(programPath()).filter(QStringLiteral(".restore")).isEmpty());
}

}  // namespace
