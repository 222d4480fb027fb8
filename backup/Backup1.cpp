#include "backup/Backup1.h"

#include "backup/DiskBackup.h"
#include "backup/DiskInfo.h"
#include "backup/DiskRestore.h"
#include "frame/HINFO1.h"
#include "frame/Navigation.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Services.h"

#include <QDir>
#include <algorithm>
#include <QFileInfo>

using namespace platform;
using namespace backup;

namespace {

// The subject of every caption and message of the window.
const QString T = QStringLiteral("User Created Files");

const QString BackupInstructions = QStringLiteral(
    "This utility allows you to make a backup disk(s) of the User Created Files contained within this "
    "program.  To make the backup disk(s), first insert a blank formatted disk in Drive a: or select "
    "location for backup, then select Drive or location from the Drives and or Folders lists below, then "
    "Click the &Make Backup Button and follow directions as they appear.");
const QString FloppyNote = QStringLiteral(
    "PLEASE NOTE: If you have a entered a large amount of data and you are backing up to Floppy Disks, a "
    "couple disks may be needed and the backup could take several minutes to complete!\"");

QString restoreInstructions() {
    return QStringLiteral("Restore ") + T + QStringLiteral(" from backup media to Quorvane.") + CR +
           QStringLiteral("CAUTION: RESTORE FUNCTION WILL FIRST ERASE ALL EXISTING ") + T.toUpper() +
           QStringLiteral(" IN THE PROGRAM AND THEN RESTORE FILES.") + CR +
           QStringLiteral("To restore, first place backup disk in Drive a: or select backup files location, then "
                          "select Drive and or folder from the Drive/Folders lists below, then Click &Restore ") +
           T + QStringLiteral(" Button and follow directions as they appear.");
}

// Message titles.
const QString DeleteFilesTitle = QStringLiteral("Delete Files");
const QString DiskErrorTitle = QStringLiteral("Disk Error");
const QString BackupDiskTitle = QStringLiteral("Backup Disk");
const QString CancelledTitle = QStringLiteral("Backup Proceedure Cancelation");
const QString RestoreTitle = QStringLiteral("Restore Function");
const QString DriveErrorTitle = QStringLiteral("Device/Drive Error");

// Status texts that report a failure; the backup and the restore say "Complete" and
// "Completed" only when every step succeeded.
const QString BackupNotCompleted = QStringLiteral("Backup Not Completed");
const QString BackupIncomplete = QStringLiteral("Backup Incomplete");
const QString RestoreNotCompleted = QStringLiteral("Restoration Not Completed");
const QString RestoreCancelled = QStringLiteral("Restoration Cancelled");
const QString NothingChanged = QStringLiteral("No User Created Files in Quorvane have been changed.");

// The window's design size (the smaller-screen display keeps it), in twips.
constexpr int DesignWidth = 8400;
constexpr int DesignHeight = 7200;
constexpr Color PanelColour = rgb(221, 229, 240);

QString canonicalFolder(const QString& path) {
    const QString c = QFileInfo(path).canonicalFilePath();
    return QDir::cleanPath(c.isEmpty() ? QFileInfo(path).absoluteFilePath() : c);
}

}  // namespace

Backup1::Backup1()
    : Form(QStringLiteral("Backup1")),
      SSPanel1(*this, *this, QStringLiteral("SSPanel1")),
      Label1(*this, SSPanel1, QStringLiteral("Label1")),
      Label7(*this, SSPanel1, QStringLiteral("Label7")),
      Drive1(*this, SSPanel1, QStringLiteral("Drive1")),
      Dir1(*this, SSPanel1, QStringLiteral("Dir1")),
      Label4(*this, SSPanel1, QStringLiteral("Label4")),
      Label5(*this, SSPanel1, QStringLiteral("Label5")),
      SSPanel2(*this, SSPanel1, QStringLiteral("SSPanel2")),
      ProgressBar1(*this, SSPanel1, QStringLiteral("ProgressBar1")),
      Label6(*this, SSPanel1, QStringLiteral("Label6")),
      Label3(*this, SSPanel1, QStringLiteral("Label3")),
      SSCommand2(*this, *this, QStringLiteral("SSCommand2")),
      SSCommand1(*this, *this, QStringLiteral("SSCommand1")),
      mO(*this, QStringLiteral("mO"), QStringLiteral("&Options")),
      mOM(*this, QStringLiteral("mOM"), QStringLiteral("&Make Backup Disk")),
      mOR(*this, QStringLiteral("mOR"), QStringLiteral("&Restore Files from Disk")),
      mO1(*this, QStringLiteral("mO1"), QStringLiteral("-")),
      mOE(*this, QStringLiteral("mOE"), QStringLiteral("E&xit")) {
    setFixedBorder(true);
    move(0, 0, DesignWidth, DesignHeight);
    Label2.add(*this, SSPanel1, 0).setCaption(QStringLiteral("Folders:"));
    Label2.add(*this, SSPanel1, 1).setCaption(QStringLiteral("Drives:"));
    Label4.setCaption(QStringLiteral("Path:"));
    Label7.setCaption(FloppyNote);
    Label7.setVisible(false);
    for (Label* l : {&Label1, &Label7, &Label4, &Label5, &Label2[0], &Label2[1], &Label3}) {
        l->setTransparent(true);
        l->setAlignment(0);  // text from the top left, as the window's labels are laid out
    }
    Label5.setWordWrap(true);
    Label6.setBackColor(PanelColour);
    Label6.setVisible(false);
    SSPanel1.setBevelOuter(0);
    SSPanel2.setCaption(QStringLiteral("Making Backup Disk(s)"));
    SSPanel2.setBevelOuter(1);
    // The panel says how the backup or restore went: a screen reader announces each new line.
    SSPanel2.setAccessibleLive(true);
    SSPanel2.setVisible(false);
    ProgressBar1.setMax(ProgressMaximum);
    ProgressBar1.setVisible(false);
    SSCommand2.setCaption(QStringLiteral("&Make Backup"));
    SSCommand1.setCaption(QStringLiteral("E&xit"));
    Drive1.setAccessibleName(QStringLiteral("Drives"));
    Dir1.setAccessibleName(QStringLiteral("Folders"));
    ProgressBar1.setAccessibleName(QStringLiteral("Progress"));
    Label3.setAccessibleName(QStringLiteral("Options menu (right button)"));

    mO.add(mOM);
    mO.add(mOR);
    mO.add(mO1);
    mO.add(mOE);

    Drive1.onChange = [this] { Drive1_Change(); };
    Dir1.onChange = [this] { Dir1_Change(); };
    SSCommand2.onClick = [this] { SSCommand2_Click(); };
    SSCommand1.onClick = [this] { SSCommand1_Click(); };
    mOM.onClick = [this] { mOM_Click(); };
    mOR.onClick = [this] { mOR_Click(); };
    mOE.onClick = [this] { mOE_Click(); };
    for (Control* c : {static_cast<Control*>(&Label3), static_cast<Control*>(&SSCommand1)})
        c->onMouseUp = [this](int button, int shift, int x, int y) { Form_MouseUp(button, shift, x, y); };
}

// ---- life cycle ------------------------------------------------------------------------------

void Backup1::Form_Load() {
    // 1.
    vsElasticLight1.followDisplayMode();
    // 2. (the panel's height is set with the other places below)
    Label5.setCaption(Drive1.drive());
    // 3.
    setCaption(QStringLiteral("Backup ") + T);
    Label1.setCaption(BackupInstructions);
    // 4.
    if (BackupMode == BackupModeBackup) Label7.setVisible(true);
    // 5.
    if (ModeFlag == ModeFlagRestore) {
        setCaption(QStringLiteral("Restore ") + T + QStringLiteral(" from Backup Media"));
        Label1.setCaption(restoreInstructions());
        SSCommand2.setCaption(QStringLiteral("&Restore ") + T);
        SSPanel2.setCaption(QStringLiteral("Restoring User Created Files"));
        mOM.setVisible(false);
    } else {
        mOR.setVisible(false);
    }
    // 6.
    SSPanel1.setBackColor(Label6.backColor());
    SSPanel2.setBackColor(Label6.backColor());
    // 7.
    PlaceWindow();
    ArrangeControls();
    // The folder list opens on the program folder, which is never a place to act on.
    UpdateActionButton();
    doEvents();
}

void Backup1::Form_Activate() {
    PlaceWindow();
    ArrangeControls();
    doEvents();
}

void Backup1::Form_Resize() {
    if (vsElasticLight1.enabled) ArrangeControls();
}

// A backup or restore that runs cannot be left half-way: the window stays.
void Backup1::Form_Unload(int& cancel) {
    if (Busy) {
        cancel = 1;
        msgBox(QStringLiteral("Please wait until the ") + (ModeFlag == ModeFlagRestore ? QStringLiteral("restore") : QStringLiteral("backup")) +
                   QStringLiteral(" of the ") + T + QStringLiteral(" has finished."),
               Msg::OKOnly | Msg::Information, caption());
        return;
    }
    ModeFlag = ModeFlagBackup;
    BackupMode = BackupModeBackup;
    makeProgramFolderCurrent();
}

// The right button pops up the Options menu.
void Backup1::Form_MouseUp(int button, int, int, int) {
    if (button == Mouse::Right) popupMenu(mO);
}

// Centred over the start window, 415 twips lower; in the full-screen display sized from it.
void Backup1::PlaceWindow() {
    const auto start = frame::StartWindowPlace();
    if (!start) return;
    if (DisplayMode != SmallerScreenDisplay) {
        setHeight(int(0.712 * start->height));
        setWidth(int(0.6 * start->width));
    }
    setLeft(start->left + StartWidth / 2 - width() / 2);
    setTop(start->top + StartHeight / 2 - height() / 2 + 415);
}

void Backup1::PlaceLabel5() {
    const int left = Label4.left() + Label4.width() + 30;
    Label5.move(left, Label4.top(), std::max(600, SSPanel1.width() - left - 180), std::max(720, Dir1.top() - Label4.top() - 60));
}

void Backup1::ArrangeControls() {
    const int w = scaleWidth() > 0 ? scaleWidth() : DesignWidth;
    const int h = scaleHeight() > 0 ? scaleHeight() : DesignHeight;
    // The resizer scales the text and the controls with the window, so the full-screen window
    // is the design made larger or smaller.
    const double scale = vsElasticLight1.enabled ? std::min(double(w) / DesignWidth, double(h) / DesignHeight) : 1.0;
    const auto s = [scale](int twips) { return int(twips * scale); };
    Font font;
    font.size = std::clamp(8.25 * scale, 7.5, 13.0);
    for (Control* c : controls()) c->setFont(font);
    const int m = s(180);
    const int panelHeight = std::min(int(0.84 * height()), h - s(560));
    SSPanel1.move(0, 0, w, panelHeight);
    const int textWidth = w - 2 * m;
    Label1.move(m, ModeFlag == ModeFlagRestore ? 60 : s(120), textWidth, s(ModeFlag == ModeFlagRestore ? 1250 : 1000));
    Label7.move(m, Label1.top() + Label1.height() + s(60), textWidth, s(620));
    // In the restore mode the lists take the place of the floppy-disk note.
    const int listsTop = (ModeFlag == ModeFlagRestore ? Label1.top() + Label1.height() : Label7.top() + Label7.height()) + s(120);
    const int column = (w - 3 * m) * 9 / 20;
    const int labelHeight = s(255), boxHeight = s(345);
    Label2[1].move(m, listsTop, column, labelHeight);
    Drive1.move(m, listsTop + labelHeight + s(15), column, boxHeight);
    Label2[0].move(m, Drive1.top() + boxHeight + s(90), column, labelHeight);
    const int dirTop = Label2[0].top() + labelHeight + s(15);
    Dir1.move(m, dirTop, column, std::max(s(900), panelHeight - dirTop - m));
    const int right = 2 * m + column;
    const int rightWidth = w - right - m;
    Label4.move(right, listsTop, s(540), labelHeight);
    PlaceLabel5();
    SSPanel2.move(right, dirTop, rightWidth, s(600));
    ProgressBar1.move(right, SSPanel2.top() + SSPanel2.height() + s(150), rightWidth, s(300));
    const int belowBar = ProgressBar1.top() + ProgressBar1.height() + s(60);
    Label3.move(right, belowBar, rightWidth, std::max(0, panelHeight - belowBar - m));
    const int buttonHeight = s(450);
    const int buttonWidth = std::min(s(3300), (w - 3 * m) / 2);
    const int buttonTop = panelHeight + std::max(0, (h - panelHeight - buttonHeight) / 2);
    SSCommand2.move(w / 2 - m / 2 - buttonWidth, buttonTop, buttonWidth, buttonHeight);
    SSCommand1.move(w / 2 + m / 2, buttonTop, buttonWidth, buttonHeight);
}

// ---- the drive and folder lists --------------------------------------------------------------

bool Backup1::ShowsProgramFolder() const {
    return canonicalFolder(Dir1.path()) == canonicalFolder(programFolder());
}

void Backup1::UpdateActionButton() {
    SSCommand2.setEnabled(!Busy && !ShowsProgramFolder());
    UpdateActionEntry();
}

// The right button's entry of the window's mode is usable where the action button is: on the
// program folder it would act on nothing, and would do it without a word.
void Backup1::UpdateActionEntry() {
    Menu& entry = ModeFlag != ModeFlagRestore ? mOM : mOR;
    entry.setEnabled(ActionEntryReady && !Busy && !ShowsProgramFolder());
}

void Backup1::Drive1_Change() {
    // 1.
    const bool listed = Dir1.setPath(Drive1.drive());
    if (!listed) {
        // 2. The home folder, first in the list, stands where another system falls back to its
        // first disk.
        msgBox(QStringLiteral("Device/Drive is Unavailable!"), Msg::OKOnly | Msg::Critical, DriveErrorTitle);
        if (Drive1.listCount() > 0) Drive1.setDrive(Drive1.list(0).path);
        SSCommand2.setEnabled(false);
    } else {
        // 3.
        UpdateActionButton();
    }
    // 4.
    PlaceLabel5();
    Label5.setCaption(Dir1.path());
    // 5. (not while a backup or restore runs: the folder of its next disk is being chosen)
    if (Busy) return;
    ActionEntryReady = true;
    UpdateActionEntry();
}

void Backup1::Dir1_Change() {
    PlaceLabel5();
    Label5.setCaption(Dir1.path());
    UpdateActionButton();
}

// ---- the action ------------------------------------------------------------------------------

void Backup1::SSCommand2_Click() {
    if (ModeFlag != ModeFlagRestore) mOM_Click();
    else mOR_Click();
}

void Backup1::SSCommand1_Click() { mOE_Click(); }

void Backup1::mOE_Click() { unload(); }

// Both entries act on the folder the window shows, never on the program folder.
void Backup1::mOM_Click() {
    if (Busy || ShowsProgramFolder()) return;
    TargetPath = withSlash(Dir1.path());
    // 1.
    DeleteAnswer = msgBox(QStringLiteral("This utility will first Delete all existing ") + T + QStringLiteral(" files") + CR +
                              QStringLiteral("located in Path: ") + Label5.caption() + CR + CR + QStringLiteral("Proceed?"),
                          Msg::YesNoCancel | Msg::Question | Msg::DefaultButton2, DeleteFilesTitle);
    // 2.
    if (DeleteAnswer == Answer::Yes) {
        SSPanel2.setCaption(QStringLiteral("Deleting Old Files"));
        Label7.setVisible(false);
        SSPanel2.setVisible(true);
        doEvents();
        WaitTwoSeconds();
        doEvents();
        if (BackupMode == BackupModeBackup) StartBackup();
        HourglassOff();
    }
    // 3.
    ProgressBar1.setVisible(false);
}

void Backup1::SetBusy(bool busy) {
    Busy = busy;
    SSCommand1.setEnabled(!busy);
    mOE.setEnabled(!busy);
    mOM.setEnabled(!busy);
    mOR.setEnabled(!busy);
    UpdateActionButton();
}

void Backup1::StartBackup() {
    HourglassOn();
    DeleteAnswer = 0;
    SetBusy(true);
    DiskBackup backup(TargetPath, *this, newBackupSetIdentity());
    const BackupResult result = backup.StartBackup();
    SetBusy(false);
    HourglassOff();
    LoopIndex = 0;
    switch (result.outcome) {
    case BackupOutcome::Complete:
        SSPanel2.setCaption(QStringLiteral("Backup Complete"));
        SSCommand2.setEnabled(false);
        ActionEntryReady = false;
        UpdateActionEntry();
        break;
    case BackupOutcome::Incomplete: {
        QString list;
        for (const QString& name : result.unreadable) list += CR + name;
        msgBox(QStringLiteral("These ") + T + QStringLiteral(" could not be read and have not been backed up:") + list + CR +
                   QStringLiteral("Every other file is on the backup disk(s)."),
               Msg::OKOnly | Msg::Exclamation, BackupDiskTitle);
        SSPanel2.setCaption(BackupIncomplete);
        break;
    }
    case BackupOutcome::DiskError:
        if (msgBox(QStringLiteral("Unable to access Disk or Disk is Full!") + CR +
                       QStringLiteral("Make sure Disk is in Drive and Not Write Protected!"),
                   Msg::OKCancel | Msg::Information, DiskErrorTitle) == Answer::OK) {
            if (Drive1.listCount() > 0) Drive1.setDrive(Drive1.list(0).path);
            SSPanel2.setVisible(false);
        } else {
            SSPanel2.setCaption(BackupNotCompleted);
        }
        break;
    case BackupOutcome::Cancelled:
        if (result.cancelledInFixedStage) SSPanel2.setCaption(QString());
        ShowBackupCancelled();
        SSPanel2.setCaption(QStringLiteral("Backup Terminated by User"));
        if (!result.cancelledInFixedStage) {
            SSCommand2.setEnabled(false);
            ActionEntryReady = false;
            UpdateActionEntry();
        }
        break;
    case BackupOutcome::DiskGone:
        msgBox(QStringLiteral("Backup Disk #") + diskNumberText(std::max(1, result.disks)) +
                   QStringLiteral(" went away before the backup was complete!") + CR +
                   QStringLiteral("Nothing more has been written to it.") + CR +
                   QStringLiteral("May we suggest you initiate Backup for these files again!"),
               Msg::OKOnly | Msg::Critical, DiskErrorTitle);
        SSPanel2.setCaption(BackupNotCompleted);
        break;
    case BackupOutcome::Failed:
        msgBox(QStringLiteral("Unable to complete Backup Disk #") + diskNumberText(std::max(1, result.disks)) + QStringLiteral("!") +
                   CR + result.reason + CR + QStringLiteral("May we suggest you initiate Backup for these files again!"),
               Msg::OKOnly | Msg::Critical, DiskErrorTitle);
        SSPanel2.setCaption(BackupNotCompleted);
        break;
    }
}

void Backup1::mOR_Click() {
    if (Busy || ShowsProgramFolder()) return;
    TargetPath = withSlash(Dir1.path());
    if (BackupMode == BackupModeRestore) StartRestore();
}

void Backup1::StartRestore() {
    // 1.-2. Reading the disk's record never creates it.
    auto diskError = [] {
        msgBox(QStringLiteral("Unable to find Backup Disk #1 or Backup files!") + CR +
                   QStringLiteral("Please insert Disk #1 into selected Drive and Try again."),
               Msg::OKOnly | Msg::Critical, DiskErrorTitle);
    };
    if (!isFirstBackupDisk(TargetPath)) {
        diskError();
        return;
    }
    // 3.
    const int answer = msgBox(QStringLiteral("This utility will first Delete all existing User Created Files") + CR +
                                  QStringLiteral("located in Quorvane Program!") + CR + CR + QStringLiteral("Proceed?"),
                              Msg::YesNoCancel | Msg::Question | Msg::DefaultButton2, DeleteFilesTitle);
    if (answer != Answer::Yes) return;
    // 4.
    HourglassOn();
    SetBusy(true);
    SSPanel2.setCaption(QStringLiteral("Restoring User Created Files"));
    SSPanel2.setVisible(true);
    doEvents();
    DiskRestore restore(TargetPath, *this);
    const RestoreResult result = restore.RestoreFiles();
    SetBusy(false);
    ProgressBar1.setVisible(false);
    HourglassOff();
    if (!result.setAside.empty())
        msgBox(setAsideMessage(result.setAside, CR), Msg::OKOnly | Msg::Exclamation, SetAsideTitle);
    switch (result.outcome) {
    case RestoreOutcome::Restored:
        SSPanel2.setCaption(QStringLiteral("Restoration Completed"));
        SSCommand2.setEnabled(false);
        ActionEntryReady = false;
        UpdateActionEntry();
        return;
    case RestoreOutcome::NotFirstDisk:
        SSPanel2.setCaption(RestoreNotCompleted);
        diskError();
        return;
    case RestoreOutcome::Cancelled:
        SSPanel2.setCaption(RestoreCancelled);
        msgBox(QStringLiteral("The restore has been cancelled.") + CR + NothingChanged, Msg::OKOnly | Msg::Information, RestoreTitle);
        return;
    case RestoreOutcome::ReadFailed:
        ShowRestoreFailure(result.file.isEmpty()
                               ? QStringLiteral("Backup Disk #") + diskNumberText(result.disk) +
                                     QStringLiteral(" was removed before all its files were read!")
                               : QStringLiteral("Unable to read ") + result.file + QStringLiteral(" from Backup Disk #") +
                                     diskNumberText(result.disk) + QStringLiteral("!"),
                           QString(), NothingChanged);
        return;
    case RestoreOutcome::DamagedCopy:
        ShowRestoreFailure(QStringLiteral("The copy ") + result.file + QStringLiteral(" on Backup Disk #") + diskNumberText(result.disk) +
                               QStringLiteral(" is damaged: ") + result.reason + QStringLiteral("."),
                           QStringLiteral("The restore has stopped before anything was changed."), NothingChanged);
        return;
    case RestoreOutcome::StagingFailed:
        ShowRestoreFailure(QStringLiteral("Unable to copy the backup files into the Quorvane program folder!"), result.reason,
                           NothingChanged);
        return;
    case RestoreOutcome::ReplaceFailed:
        ShowRestoreFailure(QStringLiteral("Unable to replace the ") + T + QStringLiteral("!"), result.reason,
                           QStringLiteral("The ") + T + QStringLiteral(" have been put back as they were."));
        return;
    case RestoreOutcome::PutBackFailed:
        ShowRestoreFailure(QStringLiteral("Unable to replace the ") + T + QStringLiteral("!"), result.reason,
                           QStringLiteral("Quorvane will put the ") + T +
                               QStringLiteral(" back as they were when it is started again."));
        return;
    case RestoreOutcome::Unfinished:
        ShowRestoreFailure(QStringLiteral("An earlier restore could not be finished!"), result.reason, NothingChanged);
        return;
    }
}

void Backup1::ShowRestoreFailure(const QString& first, const QString& reason, const QString& last) {
    SSPanel2.setCaption(RestoreNotCompleted);
    QString text = first;
    if (!reason.isEmpty()) text += CR + reason;
    msgBox(text + CR + last, Msg::OKOnly | Msg::Critical, RestoreTitle);
}

// ---- what the procedures show and ask --------------------------------------------------------

void Backup1::ShowStatus(const QString& text) {
    SSPanel2.setCaption(text);
    SSPanel2.setVisible(true);
}

void Backup1::ShowProgress(bool visible) { ProgressBar1.setVisible(visible); }

void Backup1::SetProgress(int value) { ProgressBar1.setValue(value); }

void Backup1::Yield() { doEvents(); }

namespace {
// OK, or any answer but Cancel, goes on.
backup::DiskAnswer diskAnswer(int answer) {
    return answer == Answer::Cancel ? backup::DiskAnswer::Cancel : backup::DiskAnswer::GoOn;
}
}  // namespace

backup::DiskAnswer Backup1::PromptBlankBackupDisk() {
    HourglassOff();
    const int answer = msgBox(QStringLiteral("Disk is either Full, or there is not enough room") + CR +
                                  QStringLiteral("remaining for the requested backup files!") + CR +
                                  QStringLiteral("Please Insert a New Blank Formatted") + CR +
                                  QStringLiteral("Backup Disk and then Click on OK.") + CR +
                                  QStringLiteral("CAUTION: Wait till Disk Drive light goes out and") + CR +
                                  QStringLiteral("Be sure New Disk is inserted before Clicking OK"),
                              Msg::OKCancel | Msg::Information, BackupDiskTitle);
    LoopIndex = answer == Answer::Cancel ? 2 : 99;
    HourglassOn();
    return diskAnswer(answer);
}

backup::DiskAnswer Backup1::PromptNextBackupDisk(int diskNumber) {
    HourglassOff();
    DiskPromptAnswer = msgBox(QStringLiteral("Disk is Full.") + CR + QStringLiteral("Please Insert Backup Disk #") +
                                  diskNumberText(diskNumber) + CR +
                                  QStringLiteral("CAUTION: Wait till Disk Drive light goes out and Be sure New Disk is "
                                                 "inserted before Clicking OK"),
                              Msg::OKCancel | Msg::Information, BackupDiskTitle);
    HourglassOn();
    return diskAnswer(DiskPromptAnswer);
}

backup::DiskAnswer Backup1::PromptRestoreDisk(int diskNumber) {
    HourglassOff();
    // Cancel is offered: a set with a disk missing must not keep the user asking for ever.
    const int answer = msgBox(QStringLiteral("Please insert Backup Disk #") + diskNumberText(diskNumber),
                              Msg::OKCancel | Msg::Information, RestoreTitle);
    HourglassOn();
    return diskAnswer(answer);
}

// The folder of the previous disk has gone (the new medium mounted at another path): the user
// shows where the new disk is.
std::optional<QString> Backup1::ChooseDiskFolder(int diskNumber) {
    HourglassOff();
    QString start = QDir::cleanPath(TargetPath);
    while (start.size() > 1 && !QFileInfo(start).isDir()) start = QFileInfo(start).path();
    const std::optional<QString> chosen =
        dialogs().folderDialog(QStringLiteral("Select the folder of Backup Disk #") + diskNumberText(diskNumber), start);
    HourglassOn();
    if (chosen) {
        TargetPath = withSlash(*chosen);
        Drive1.refresh();  // the new medium has only just come
        Drive1.setDrive(*chosen);
        Dir1.setPath(*chosen);
    }
    return chosen;
}

void Backup1::ShowBackupCancelled() {
    msgBox(QStringLiteral("You have cancelled the backup proceedure!") + CR +
               QStringLiteral("If backup files were on this disk they have been deleted!") + CR +
               QStringLiteral("May we suggest you initiate Backup for these files again!"),
           Msg::OKOnly | Msg::Information, CancelledTitle);
}
