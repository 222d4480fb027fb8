// The backup window opened directly: its two modes, the drive and folder lists, the questions
// and messages of a backup and a restore, and a window that stays while they run.
#include "backup/Backup1.h"
#include "backup/DiskInfo.h"
#include "frame/HINFO1.h"
#include "frame/Startfrm.h"
#include "tests/backup/BackupFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <deque>

using namespace platform;
using namespace backup;
using namespace backuptest;

namespace {

const QString DeleteFiles = QStringLiteral("Delete Files");
const QString BackupDisk = QStringLiteral("Backup Disk");
const QString RestoreFunction = QStringLiteral("Restore Function");
const QString DiskError = QStringLiteral("Disk Error");

// Runs a step (a disk change, a click) when a box of a title comes up, before the script
// answers it.
class PromptActions : public Dialogs {
public:
    explicit PromptActions(std::unique_ptr<Dialogs> inner) : inner_(std::move(inner)) {}
    void before(const QString& title, std::function<void()> step) { steps_[title].push_back(std::move(step)); }
    int msgBox(const QString& p, int f, const QString& t) override {
        auto it = steps_.find(t);
        if (it != steps_.end() && !it->second.empty()) {
            auto step = std::move(it->second.front());
            it->second.pop_front();
            step();
        }
        return inner_->msgBox(p, f, t);
    }
    QString inputBox(const QString& p, const QString& t, const QString& d) override { return inner_->inputBox(p, t, d); }
    std::optional<Color> colorDialog(Color c) override { return inner_->colorDialog(c); }
    bool fontDialog(FontChoice& c) override { return inner_->fontDialog(c); }
    bool pageSetupDialog(PageSetup& s) override { return inner_->pageSetupDialog(s); }
    std::optional<QString> folderDialog(const QString& t, const QString& s) override { return inner_->folderDialog(t, s); }

private:
    std::unique_ptr<Dialogs> inner_;
    std::map<QString, std::deque<std::function<void()>>> steps_;
};

class BackupWindow : public BackupTest {
protected:
    void SetUp() override {
        BackupTest::SetUp();
        auto actions = std::make_unique<PromptActions>(setDialogs(nullptr));
        prompts = actions.get();
        setDialogs(std::move(actions));
        volumes = {{media(), QStringLiteral("Home Folder")}, {QStringLiteral("/"), QStringLiteral("File System (/)")}};
        DriveListBox::setVolumeSource([this] { return volumes; });
        DisplayMode = 9;
        StartWidth = 12000;
        StartHeight = 9000;
    }
    void TearDown() override {
        DriveListBox::setVolumeSource(nullptr);
        BackupTest::TearDown();
    }
    QString media() const { return QFileInfo(disk(1)).path(); }
    QString disk(int n) const { return const_cast<BackupWindow*>(this)->BackupTest::disk(n); }

    // Opens the window in backup (0) or restore (99) mode, as the Utilities entries do.
    Backup1& open(int modeFlag) {
        ModeFlag = modeFlag;
        BackupMode = modeFlag == ModeFlagRestore ? BackupModeRestore : BackupModeBackup;
        Backup1& w = defaultInstance<Backup1>();
        w.show();
        return w;
    }
    Backup1& openOn(int modeFlag, const QString& folder) {
        Backup1& w = open(modeFlag);
        EXPECT_TRUE(w.Dir1.setPath(folder));
        return w;
    }
    QString lastText(const QString& title) const {
        const auto boxes = dialogs->shownWithTitle(title);
        return boxes.empty() ? QString() : boxes.back().text;
    }

    PromptActions* prompts = nullptr;
    std::vector<Volume> volumes;
};

TEST_F(BackupWindow, BackupModeShowsItsTextsAndOnlyItsEntry) {
    Backup1& w = open(0);
    EXPECT_EQ(w.caption(), QStringLiteral("Backup User Created Files"));
    EXPECT_TRUE(w.Label1.caption().startsWith(QStringLiteral("This utility allows you to make a backup disk(s) of the User "
                                                             "Created Files contained within this program.  To make")));
    EXPECT_TRUE(w.Label7.visible());
    EXPECT_TRUE(w.Label7.caption().endsWith(QStringLiteral("several minutes to complete!\"")));
    EXPECT_EQ(w.SSCommand2.caption(), QStringLiteral("&Make Backup"));
    EXPECT_TRUE(w.mOM.visible());
    EXPECT_FALSE(w.mOR.visible());
    EXPECT_FALSE(w.SSPanel2.visible());
    EXPECT_FALSE(w.ProgressBar1.visible());
    EXPECT_EQ(w.SSPanel1.backColor(), w.Label6.backColor());
    EXPECT_EQ(w.SSPanel2.backColor(), w.Label6.backColor());
    // It opens on the program folder, where nothing may be done.
    EXPECT_EQ(w.Dir1.path(), programPath());
    EXPECT_FALSE(w.SSCommand2.enabled());
    EXPECT_EQ(w.Drive1.accessibleName(), QStringLiteral("Drives"));
    EXPECT_EQ(w.Dir1.accessibleName(), QStringLiteral("Folders"));
}

TEST_F(BackupWindow, RestoreModeShowsItsTextsAndOnlyItsEntry) {
    Backup1& w = open(99);
    EXPECT_EQ(w.caption(), QStringLiteral("Restore User Created Files from Backup Media"));
    EXPECT_EQ(w.Label1.caption(),
              QStringLiteral("Restore User Created Files from backup media to Quorvane.\rCAUTION: RESTORE FUNCTION WILL "
                             "FIRST ERASE ALL EXISTING USER CREATED FILES IN THE PROGRAM AND THEN RESTORE FILES.\rTo "
                             "restore, first place backup disk in Drive a: or select backup files location, then select "
                             "Drive and or folder from the Drive/Folders lists below, then Click &Restore User Created "
                             "Files Button and follow directions as they appear."));
    EXPECT_EQ(w.Label1.top(), 60);
    EXPECT_FALSE(w.Label7.visible());
    EXPECT_EQ(w.SSCommand2.caption(), QStringLiteral("&Restore User Created Files"));
    EXPECT_EQ(w.SSPanel2.caption(), QStringLiteral("Restoring User Created Files"));
    EXPECT_FALSE(w.mOM.visible());
    EXPECT_TRUE(w.mOR.visible());
}

TEST_F(BackupWindow, TheProgramFolderDisablesTheActionWhateverPathLeadsThere) {
    Backup1& w = open(0);
    EXPECT_TRUE(w.Dir1.setPath(disk(1)));
    EXPECT_TRUE(w.SSCommand2.enabled());
    EXPECT_EQ(w.Label5.caption(), disk(1));
    EXPECT_TRUE(w.Dir1.setPath(programPath() + QStringLiteral("/")));
    EXPECT_FALSE(w.SSCommand2.enabled());
    const QString link = media() + QStringLiteral("/program-link");
    ASSERT_TRUE(QFile::link(programPath(), link));
    EXPECT_TRUE(w.Dir1.setPath(disk(1)));
    EXPECT_TRUE(w.Dir1.setPath(link));
    EXPECT_FALSE(w.SSCommand2.enabled());
    // The menu entry does nothing there either.
    w.mOM.click();
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(BackupWindow, AnUnavailableDriveFallsBackToTheHomeFolder) {
    Backup1& w = open(0);
    volumes.push_back({media() + QStringLiteral("/unplugged"), QStringLiteral("unplugged")});
    w.Drive1.refresh();
    dialogs->answer(QStringLiteral("Device/Drive Error"), Answer::OK);
    w.Drive1.pick(w.Drive1.listCount() - 1);
    ASSERT_EQ(dialogs->shownWithTitle(QStringLiteral("Device/Drive Error")).size(), 1u);
    EXPECT_EQ(lastText(QStringLiteral("Device/Drive Error")), QStringLiteral("Device/Drive is Unavailable!"));
    EXPECT_EQ(dialogs->shown().front().flags, Msg::OKOnly | Msg::Critical);
    EXPECT_EQ(w.Drive1.drive(), media());
    EXPECT_EQ(w.Dir1.path(), media());
    EXPECT_FALSE(w.SSCommand2.enabled());
}

TEST_F(BackupWindow, ABackupAsksFirstThenCopiesAndSaysComplete) {
    const auto set = writeUserSet(1, [](int i) { return i % 3 != 0; });
    Backup1& w = openOn(0, drive());
    dialogs->answer(DeleteFiles, Answer::Yes);
    w.SSCommand2.click();
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].text, QStringLiteral("This utility will first Delete all existing User Created Files "
                                                       "files\rlocated in Path: ") + drive() + QStringLiteral("\r\rProceed?"));
    EXPECT_EQ(dialogs->shown()[0].flags, Msg::YesNoCancel | Msg::Question | Msg::DefaultButton2);
    EXPECT_EQ(w.SSPanel2.caption(), QStringLiteral("Backup Complete"));
    EXPECT_TRUE(w.SSPanel2.visible());
    EXPECT_FALSE(w.Label7.visible());
    EXPECT_FALSE(w.ProgressBar1.visible());
    EXPECT_FALSE(w.SSCommand2.enabled());
    EXPECT_FALSE(w.mOM.enabled());
    EXPECT_FALSE(pointer->hourglass());
    EXPECT_GE(clock->pauses(), 1);  // the two-second wait ran on the clock
    for (const auto& [name, bytes] : set) {
        EXPECT_EQ(readFile(disk(1) + QLatin1Char('/') + QFileInfo(name).completeBaseName() + QStringLiteral(".hb1")).size() > 0 ||
                      name.startsWith(QStringLiteral("TODO")) || name == QStringLiteral("GColor3.Fil") ||
                      name == QStringLiteral("HINV3.Fil"),
                  true);
    }
    EXPECT_TRUE(isFirstBackupDisk(disk(1)));
    // Another folder makes the button usable again.
    EXPECT_TRUE(w.Dir1.setPath(disk(2)));
    EXPECT_TRUE(w.SSCommand2.enabled());
}

TEST_F(BackupWindow, TheMenuEntryActsOnTheFolderShown) {
    writeUserSet(1);
    Backup1& w = openOn(0, disk(2));
    dialogs->answer(DeleteFiles, Answer::Yes);
    w.mOM.click();
    EXPECT_TRUE(lastText(DeleteFiles).contains(QStringLiteral("located in Path: ") + disk(2) + QLatin1Char('\r')));
    EXPECT_TRUE(isFirstBackupDisk(disk(2)));
    EXPECT_FALSE(QFileInfo::exists(programPath() + QStringLiteral("/DiskInfo.bk1")));
}

TEST_F(BackupWindow, NoOrCancelToTheQuestionChangesNothing) {
    writeUserSet(1);
    QFile old(disk(1) + QStringLiteral("/Action1.hb1"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("older");
    old.close();
    Backup1& w = openOn(0, drive());
    for (int answer : {Answer::No, Answer::Cancel}) {
        dialogs->answer(DeleteFiles, answer);
        w.SSCommand2.click();
    }
    EXPECT_EQ(filesIn(disk(1)), QStringList{QStringLiteral("Action1.hb1")});
    EXPECT_FALSE(w.SSPanel2.visible());
    EXPECT_TRUE(w.SSCommand2.enabled());
}

TEST_F(BackupWindow, ADiskErrorNeverEndsAsComplete) {
    writeUserSet(1);
    fs->failWriteOf(QStringLiteral("Test1.hb1"));
    Backup1& w = openOn(0, drive());
    dialogs->answer(DeleteFiles, Answer::Yes);
    dialogs->answer(DiskError, Answer::Cancel);
    w.SSCommand2.click();
    EXPECT_EQ(lastText(DiskError),
              QStringLiteral("Unable to access Disk or Disk is Full!\rMake sure Disk is in Drive and Not Write Protected!"));
    EXPECT_EQ(w.SSPanel2.caption(), QStringLiteral("Backup Not Completed"));
    EXPECT_TRUE(w.SSCommand2.enabled());

    // OK goes back to the home folder.
    dialogs->answer(DeleteFiles, Answer::Yes);
    dialogs->answer(DiskError, Answer::OK);
    w.SSCommand2.click();
    EXPECT_EQ(w.Drive1.drive(), media());
    EXPECT_FALSE(w.SSPanel2.visible());
}

TEST_F(BackupWindow, ASecondDiskIsAskedForAndCancelSaysTerminated) {
    const auto set = writeUserSet(1);
    fs->setCapacity(disk(1), 20000);
    Backup1& w = openOn(0, drive());
    dialogs->answer(DeleteFiles, Answer::Yes);
    prompts->before(BackupDisk, [this] { insert(2); });
    dialogs->answer(BackupDisk, Answer::OK);
    w.SSCommand2.click();
    EXPECT_EQ(lastText(BackupDisk), QStringLiteral("Disk is Full.\rPlease Insert Backup Disk # 2\rCAUTION: Wait till Disk "
                                                   "Drive light goes out and Be sure New Disk is inserted before Clicking OK"));
    EXPECT_EQ(dialogs->shownWithTitle(BackupDisk).back().flags, Msg::OKCancel | Msg::Information);
    EXPECT_EQ(w.SSPanel2.caption(), QStringLiteral("Backup Complete"));
    EXPECT_EQ(w.DiskPromptAnswer, Answer::OK);
    EXPECT_EQ(readDiskInfo(disk(2)).diskNumber, 2);

    // Cancel at the next prompt.
    insert(1);
    EXPECT_TRUE(w.Dir1.setPath(disk(3)));
    EXPECT_TRUE(w.Dir1.setPath(drive()));
    dialogs->answer(DeleteFiles, Answer::Yes);
    dialogs->answer(BackupDisk, Answer::Cancel);
    dialogs->answer(QStringLiteral("Backup Proceedure Cancelation"), Answer::OK);
    w.SSCommand2.click();
    EXPECT_EQ(lastText(QStringLiteral("Backup Proceedure Cancelation")),
              QStringLiteral("You have cancelled the backup proceedure!\rIf backup files were on this disk they have been "
                             "deleted!\rMay we suggest you initiate Backup for these files again!"));
    EXPECT_EQ(w.SSPanel2.caption(), QStringLiteral("Backup Terminated by User"));
    EXPECT_FALSE(w.SSCommand2.enabled());
}

TEST_F(BackupWindow, AMediumAtAnotherPathIsChosenInAFolderDialog) {
    writeUserSet(1);
    fs->setCapacity(disk(1), 20000);
    fs->setCapacity(disk(2), 20000);
    Backup1& w = openOn(0, disk(1));
    dialogs->answer(DeleteFiles, Answer::Yes);
    // Each medium is taken out and the next one mounts elsewhere, as a new volume.
    const QString moved = media() + QStringLiteral("/disk1-out");
    prompts->before(BackupDisk, [&] {
        QDir().rename(disk(1), moved);
        volumes.push_back({disk(2), QStringLiteral("disk2")});
    });
    dialogs->answer(BackupDisk, Answer::OK);
    dialogs->answerFolder(disk(2));
    prompts->before(BackupDisk, [&] {
        // The window shows the new disk, and offers no second action while this one runs.
        EXPECT_EQ(w.Drive1.drive(), disk(2));
        EXPECT_EQ(w.Dir1.path(), disk(2));
        EXPECT_FALSE(w.mOM.enabled());
        EXPECT_FALSE(w.SSCommand2.enabled());
        QDir().rename(disk(2), media() + QStringLiteral("/disk2-out"));
    });
    dialogs->answer(BackupDisk, Answer::OK);
    dialogs->answerFolder(disk(3));
    w.SSCommand2.click();
    const auto folders = dialogs->shownWithTitle(QStringLiteral("Select the folder of Backup Disk # 2"));
    ASSERT_EQ(folders.size(), 1u);
    EXPECT_EQ(folders[0].text, media());  // it opens where the old folder was
    EXPECT_EQ(dialogs->shownWithTitle(QStringLiteral("Select the folder of Backup Disk # 3")).size(), 1u);
    EXPECT_EQ(w.SSPanel2.caption(), QStringLiteral("Backup Complete"));
    EXPECT_EQ(readDiskInfo(media() + QStringLiteral("/disk2-out")).diskNumber, 2);
    EXPECT_EQ(readDiskInfo(disk(3)).diskNumber, 3);
    EXPECT_EQ(w.Dir1.path(), disk(3));
}

TEST_F(BackupWindow, FilesThatCouldNotBeReadAreNamed) {
    writeUserSet(1);
    fs->failReadOf(QStringLiteral("DRPln1.Fil"));
    Backup1& w = openOn(0, drive());
    dialogs->answer(DeleteFiles, Answer::Yes);
    dialogs->answer(BackupDisk, Answer::OK);
    w.SSCommand2.click();
    EXPECT_EQ(lastText(BackupDisk), QStringLiteral("These User Created Files could not be read and have not been backed "
                                                   "up:\rDRPln1.Fil\rEvery other file is on the backup disk(s)."));
    EXPECT_EQ(w.SSPanel2.caption(), QStringLiteral("Backup Incomplete"));
}

TEST_F(BackupWindow, WhileABackupRunsTheWindowStaysAndASecondPressDoesNothing) {
    writeUserSet(1);
    fs->setCapacity(disk(1), 20000);
    Backup1& w = openOn(0, drive());
    dialogs->answer(DeleteFiles, Answer::Yes);
    bool checked = false;
    prompts->before(BackupDisk, [&] {
        checked = true;
        EXPECT_TRUE(w.Busy);
        EXPECT_FALSE(w.SSCommand1.enabled());
        EXPECT_FALSE(w.SSCommand2.enabled());
        w.SSCommand2.setValue(true);  // a second press: no second question
        w.mOM.onClick();
        EXPECT_FALSE(w.unload());     // the close box
        insert(2);
    });
    dialogs->answer(BackupDisk, Answer::OK);
    dialogs->answer(w.caption(), Answer::OK);
    w.SSCommand2.click();
    EXPECT_TRUE(checked);
    EXPECT_EQ(lastText(w.caption()), QStringLiteral("Please wait until the backup of the User Created Files has finished."));
    EXPECT_EQ(dialogs->shownWithTitle(DeleteFiles).size(), 1u);
    EXPECT_FALSE(w.Busy);
    EXPECT_TRUE(w.SSCommand1.enabled());
    EXPECT_EQ(w.SSPanel2.caption(), QStringLiteral("Backup Complete"));
}

TEST_F(BackupWindow, ARestoreAsksThenReplacesTheFilesAndSaysCompleted) {
    const auto set = writeUserSet(1, [](int i) { return i % 4 != 1; });
    {
        DiskBackup b(disk(1), *user, QStringLiteral("Set W"));
        ASSERT_EQ(b.StartBackup().outcome, BackupOutcome::Complete);
    }
    for (const auto& [name, bytes] : set) writeProgramFile(name, "changed");
    writeProgramFile(QStringLiteral("Action1.Fil"), "made after the backup");
    Backup1& w = openOn(99, disk(1));
    dialogs->answer(DeleteFiles, Answer::No);
    w.SSCommand2.click();
    EXPECT_EQ(lastText(DeleteFiles), QStringLiteral("This utility will first Delete all existing User Created Files\rlocated "
                                                    "in Quorvane Program!\r\rProceed?"));
    EXPECT_EQ(readProgramFile(QStringLiteral("Action1.Fil")), QByteArray("made after the backup"));
    dialogs->answer(DeleteFiles, Answer::Yes);
    w.SSCommand2.click();
    EXPECT_EQ(w.SSPanel2.caption(), QStringLiteral("Restoration Completed"));
    EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), set));
    EXPECT_FALSE(w.SSCommand2.enabled());
    EXPECT_FALSE(w.mOR.enabled());
    EXPECT_FALSE(pointer->hourglass());
}

TEST_F(BackupWindow, ARestoreFromAFolderWithoutABackupSaysDiskErrorAndCreatesNothing) {
    writeUserSet(1);
    Backup1& w = openOn(99, disk(3));
    dialogs->answer(DiskError, Answer::OK);
    w.SSCommand2.click();
    EXPECT_EQ(lastText(DiskError), QStringLiteral("Unable to find Backup Disk #1 or Backup files!\rPlease insert Disk #1 "
                                                  "into selected Drive and Try again."));
    EXPECT_EQ(dialogs->shownWithTitle(DiskError).back().flags, Msg::OKOnly | Msg::Critical);
    EXPECT_TRUE(filesIn(disk(3)).isEmpty());
}

TEST_F(BackupWindow, TheRestorePromptOffersCancelAndAFailureChangesNothing) {
    auto set = writeUserSet(1);
    fs->setCapacity(disk(1), 20000);
    {
        user->answer(QStringLiteral("next"), backup::DiskAnswer::GoOn, [this] { insert(2); });
        DiskBackup b(drive(), *user, QStringLiteral("Set W"));
        ASSERT_EQ(b.StartBackup().outcome, BackupOutcome::Complete);
    }
    insert(1);
    for (const auto& [name, bytes] : set) writeProgramFile(name, "current");
    const auto current = userFilesInProgramFolder();
    Backup1& w = openOn(99, drive());
    dialogs->answer(DeleteFiles, Answer::Yes);
    dialogs->answer(RestoreFunction, Answer::Cancel);
    dialogs->answer(RestoreFunction, Answer::OK);
    w.SSCommand2.click();
    const auto boxes = dialogs->shownWithTitle(RestoreFunction);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Please insert Backup Disk # 2"));
    EXPECT_EQ(boxes[0].flags, Msg::OKCancel | Msg::Information);
    EXPECT_EQ(boxes[1].text, QStringLiteral("The restore has been cancelled.\rNo User Created Files in Quorvane have been changed."));
    EXPECT_EQ(w.SSPanel2.caption(), QStringLiteral("Restoration Cancelled"));
    EXPECT_TRUE(w.SSCommand2.enabled());
    EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), current));

    fs->failReadOf(QStringLiteral("Wksht3.hb1"));
    dialogs->answer(DeleteFiles, Answer::Yes);
    prompts->before(RestoreFunction, [this] { insert(2); });
    dialogs->answer(RestoreFunction, Answer::OK);
    dialogs->answer(RestoreFunction, Answer::OK);
    w.SSCommand2.click();
    EXPECT_EQ(lastText(RestoreFunction), QStringLiteral("Unable to read Wksht3.hb1 from Backup Disk # 2!\rNo User Created "
                                                        "Files in Quorvane have been changed."));
    EXPECT_EQ(w.SSPanel2.caption(), QStringLiteral("Restoration Not Completed"));
    EXPECT_TRUE(sameFiles(userFilesInProgramFolder(), current));
}

TEST_F(BackupWindow, ClosingResetsTheModeAndTheCurrentFolder) {
    Backup1& w = openOn(99, disk(1));
    QDir::setCurrent(disk(1));
    EXPECT_TRUE(w.unload());
    EXPECT_EQ(ModeFlag, 0);
    EXPECT_EQ(BackupMode, 0);
    EXPECT_EQ(QDir::currentPath(), programPath());
}

TEST_F(BackupWindow, TheRightButtonPopsUpTheOptionsMenu) {
    Backup1& w = open(0);
    w.Label3.raiseMouseUp(Mouse::Left, 0, 0, 0);
    EXPECT_TRUE(popups().empty());
    w.Label3.rightClick();
    w.SSCommand1.rightClick();
    w.Form_MouseUp(Mouse::Right, 0, 0, 0);
    EXPECT_EQ(popups(), (std::vector<QString>{QStringLiteral("mO"), QStringLiteral("mO"), QStringLiteral("mO")}));
}

// The right button's entry of either mode is usable where the action button is: on the
// program folder, where the window opens, it is disabled as the button is; on another folder
// it is usable, and back on the program folder disabled again.
class BackupWindowEntry : public BackupWindow, public ::testing::WithParamInterface<int> {
protected:
    // A right-button press and release on the label, as a mouse gives them.
    static void rightButtonOn(Control& c) {
        QWidget* widget = c.widget();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, QPointF(3, 3), widget->mapToGlobal(QPointF(3, 3)), Qt::RightButton,
                          type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(widget, &e);
        }
    }
};

TEST_P(BackupWindowEntry, TheEntryOfTheModeIsDisabledOnTheProgramFolder) {
    Backup1& w = open(GetParam());
    Menu& entry = GetParam() == ModeFlagRestore ? w.mOR : w.mOM;
    ASSERT_TRUE(entry.visible());
    rightButtonOn(w.Label3);
    ASSERT_FALSE(popups().empty());
    EXPECT_EQ(popups().front(), QStringLiteral("mO"));
    EXPECT_EQ(w.Dir1.path(), programPath());
    EXPECT_FALSE(w.SSCommand2.enabled());
    EXPECT_FALSE(entry.enabled());
    entry.click();
    EXPECT_TRUE(dialogs->shown().empty());

    EXPECT_TRUE(w.Dir1.setPath(disk(1)));
    EXPECT_TRUE(w.SSCommand2.enabled());
    EXPECT_TRUE(entry.enabled());
    EXPECT_TRUE(w.Dir1.setPath(programPath() + QStringLiteral("/")));
    EXPECT_FALSE(entry.enabled());
    // Choosing a drive leaves it disabled while the list shows the program folder.
    w.Drive1.pick(0);
    EXPECT_TRUE(w.Dir1.setPath(programPath()));
    EXPECT_FALSE(entry.enabled());
}

INSTANTIATE_TEST_SUITE_P(Modes, BackupWindowEntry, ::testing::Values(0, 99),
                         [](const auto& info) { return info.param == 0 ? std::string("Backup") : std::string("Restore"); });

struct PlaceCase {
    int displayMode;
    int startLeft, startTop, startWidth, startHeight;
    int width, height;  // expected
};

class BackupWindowPlace : public BackupWindow, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(BackupWindowPlace, SizedFromTheStartWindowAndCentredOverIt) {
    const PlaceCase c = GetParam();
    DisplayMode = c.displayMode;
    // The start window where the program put it, without running its start-up.
    defaultInstance<Startfrm>().move(c.startLeft, c.startTop, c.startWidth, c.startHeight);
    StartWidth = c.startWidth;
    StartHeight = c.startHeight;
    Backup1& w = open(0);
    EXPECT_EQ(w.width(), c.width);
    EXPECT_EQ(w.height(), c.height);
    EXPECT_EQ(w.left(), c.startLeft + c.startWidth / 2 - c.width / 2);
    EXPECT_EQ(w.top(), c.startTop + c.startHeight / 2 - c.height / 2 + 415);
    EXPECT_EQ(w.vsElasticLight1.enabled, c.displayMode == 0);
    // Every control stays inside the window.
    for (Control* ctl : w.controls()) {
        if (&ctl->form() != &w || !ctl->visible()) continue;
        EXPECT_LE(ctl->left() + ctl->width(), w.scaleWidth()) << ctl->name().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, BackupWindowPlace,
                         ::testing::Values(PlaceCase{9, 1680, 1260, 12000, 9000, 8400, 7200},
                                           PlaceCase{0, 0, 0, 15360, 11520, 9216, 8202},
                                           PlaceCase{0, 300, 150, 19200, 15360, 11520, 10936}));

}  // namespace
