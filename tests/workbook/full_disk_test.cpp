// The Action Area on a real full disk, as a new user meets it: the program folder on a small
// tmpfs, a first save that works, then the disk full and the next save. Each save must say it
// failed and leave every file of the folder as it was.
#include "HubFixture.h"
#include "catalogue/Catalogue.h"
#include "tests/support/platform/DiskFaults.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <map>

using namespace platform;

namespace {

const QString SaveTitle = QStringLiteral("Save Command");
const QString NotSavedEnd = QStringLiteral("Your text is still in the editor and has not been saved.");

QString unableToSave(const QString& file) {
    return QStringLiteral("Unable to save ") + file + QStringLiteral(".\rNo space left on device\r\r") + NotSavedEnd;
}

class FullDiskTest : public hubtest::HubTest {
protected:
    // The program folder on the tmpfs, with the shipped content beside the program.
    bool moveToDisk() {
        if (!disk.mounted()) return false;
        disk.makeProgramFolder();
        QDirIterator it(QStringLiteral(QUORVANE_CONTENT_DIR), QDir::Files);
        while (it.hasNext()) {
            const QString src = it.next();
            if (!QFile::copy(src, disk.file(QFileInfo(src).fileName()))) return false;
        }
        return true;
    }
    std::map<QString, QByteArray> snapshot() const { return disk.snapshot(); }
    QByteArray onDisk(const QString& name) const {
        QFile f(disk.file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The disk filled, more typed, Save pressed: the message names the file and the full disk,
    // no file of the folder changed (they are in `before`), and the typing stays unsaved.
    void saveOnTheFullDisk(WorkArea1& w, const QString& file, const QString& more) {
        ASSERT_TRUE(disk.fill());
        before = snapshot();
        w.Rtext3.type(more);
        const QString typed = w.Rtext3.text();
        ASSERT_EQ(w.UnsavedChanges, 1);
        dialogs->answer(SaveTitle, Answer::OK);
        w.SSCommand6.click();
        const auto boxes = dialogs->shownWithTitle(SaveTitle);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, unableToSave(file));
        EXPECT_EQ(boxes[0].flags, Msg::OKOnly | Msg::Critical);
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(w.Rtext3.text(), typed);
        EXPECT_EQ(w.UnsavedChanges, 1);
    }

    testsupport::SmallTmpfs disk{4 * 1024 * 1024};
    std::map<QString, QByteArray> before;
};

TEST_F(FullDiskTest, ActionTakenSavedOnAFullDiskSaysSoAndKeepsTheFileAndTheText) {
    QUORVANE_REQUIRE_TMPFS(disk);
    ASSERT_TRUE(moveToDisk());
    WorkArea1& w = openSpec(3);
    w.SSOption3.click();
    w.Rtext3.type(QStringLiteral("Workforce clearance checked by HR."));
    w.SSCommand6.click();
    ASSERT_EQ(w.UnsavedChanges, 0);
    const QByteArray saved = onDisk(QStringLiteral("Action2.Fil"));
    ASSERT_TRUE(saved.startsWith("{\\rtf"));

    saveOnTheFullDisk(w, QStringLiteral("Action2.Fil"), QStringLiteral(" Reviewed yearly."));
    if (HasFatalFailure()) return;
    EXPECT_EQ(onDisk(QStringLiteral("Action2.Fil")), saved);

    // More typing, then another entry; Yes to the save question: the save fails again, says so,
    // and the entry with its typing stays.
    w.Rtext3.type(QStringLiteral(" Signed off."));
    dialogs->clearShown();
    dialogs->answer(QStringLiteral("Save Changes?"), Answer::Yes);
    dialogs->answer(SaveTitle, Answer::OK);
    w.SSCommand14[4].click();
    ASSERT_EQ(dialogs->shownWithTitle(SaveTitle).size(), 1u);
    EXPECT_EQ(dialogs->shownWithTitle(SaveTitle)[0].text, unableToSave(QStringLiteral("Action2.Fil")));
    EXPECT_EQ(w.Rtext3.text(), QStringLiteral("Workforce clearance checked by HR. Reviewed yearly. Signed off."));
    EXPECT_EQ(w.UnsavedChanges, 1);
    EXPECT_EQ(w.SpecIndex, 2);
    EXPECT_EQ(snapshot(), before);

    // Room again: the same Save now works.
    disk.unfill();
    w.SSCommand6.click();
    EXPECT_EQ(w.UnsavedChanges, 0);
    EXPECT_NE(onDisk(QStringLiteral("Action2.Fil")), saved);
}

TEST_F(FullDiskTest, TheRecoveryPlanSavedOnAFullDiskSaysSoAndKeepsTheFile) {
    QUORVANE_REQUIRE_TMPFS(disk);
    ASSERT_TRUE(moveToDisk());
    WorkArea1& w = openHub();
    answerPageBoxes(catalogue::PageRecoveryPlan);
    page(w, catalogue::PageRecoveryPlan);
    w.Rtext3.setSelStart(0);
    w.Rtext3.type(QStringLiteral("Call list first. "));
    w.SSCommand6.click();
    const QByteArray saved = onDisk(QStringLiteral("DRPln1.Fil"));
    ASSERT_FALSE(saved.isEmpty());

    saveOnTheFullDisk(w, QStringLiteral("DRPln1.Fil"), QStringLiteral("Backup tapes offsite. "));
}

TEST_F(FullDiskTest, AWorksheetSavedOnAFullDiskSaysSoAndKeepsTheFile) {
    QUORVANE_REQUIRE_TMPFS(disk);
    ASSERT_TRUE(moveToDisk());
    WorkArea1& w = openHub();
    page(w, catalogue::PageWorksheets);
    w.SSCommand12[2].click();
    w.Rtext3.type(QStringLiteral("Server room door is badge-only."));
    w.SSCommand6.click();
    const QByteArray saved = onDisk(QStringLiteral("Wksht2.Fil"));
    ASSERT_FALSE(saved.isEmpty());

    saveOnTheFullDisk(w, QStringLiteral("Wksht2.Fil"), QStringLiteral(" Reviewed monthly."));
}

// A new user's first status choice on a full disk: the store has no room for its first record.
TEST_F(FullDiskTest, AStatusChosenOnAFullDiskIsNotStoredAndSaysSo) {
    QUORVANE_REQUIRE_TMPFS(disk);
    ASSERT_TRUE(moveToDisk());
    WorkArea1& w = openSpec(1);
    ASSERT_TRUE(disk.fill());
    before = snapshot();
    dialogs->answer(QStringLiteral("Status Not Stored"), Answer::OK);
    w.Combo1.pickText(QStringLiteral("Completed"));
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Status Not Stored")).size(), 1u);
    EXPECT_TRUE(w.SpecStatus[1].isEmpty());
    EXPECT_TRUE(w.Combo1.text().isEmpty());
    EXPECT_EQ(snapshot(), before);

    // After a restart the status is still unset, as the message said.
    disk.unfill();
    EXPECT_TRUE(readStringRecord(QStringLiteral("Stat1.Fil"), 20, 1).isEmpty());
}

}  // namespace
