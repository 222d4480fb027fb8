// The backup window: the user picks a drive and a folder and makes a backup of the user files
// there, over as many disks as it takes, or restores them from such a backup. It is opened
// modally by the Utilities entries of every window, which set BackupMode and ModeFlag first;
// the copying itself is DiskBackup and DiskRestore, and this window shows their prompts,
// status and outcome.
#pragma once

#include "backup/DiskUser.h"
#include "frame/ElasticResizer.h"
#include "platform/Controls.h"
#include "platform/FileLists.h"
#include "platform/ProgressBar.h"

class Backup1 : public platform::Form, private backup::DiskUser {
public:
    Backup1();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload(int& cancel) override;
    void Form_MouseUp(int button, int shift, int x, int y) override;

    void Drive1_Change();
    void Dir1_Change();
    void SSCommand2_Click();
    void SSCommand1_Click();
    void mOM_Click();
    void mOR_Click();
    void mOE_Click();

    // ---- controls -----------------------------------------------------------------------------
    platform::SSPanel SSPanel1;  // the background panel
    platform::Label Label1;      // instructions for the mode
    platform::Label Label7;      // the note on floppy disks (backup mode)
    platform::ControlArray<platform::Label> Label2{QStringLiteral("Label2")};  // "Folders:", "Drives:"
    platform::DriveListBox Drive1;
    platform::DirListBox Dir1;
    platform::Label Label4;  // "Path:"
    platform::Label Label5;  // the chosen drive or folder
    platform::SSPanel SSPanel2;  // the status
    platform::ProgressBar ProgressBar1;
    platform::Label Label6;  // holds the panels' back colour
    platform::Label Label3;  // right-button target
    platform::SSCommand SSCommand2;  // the action
    platform::SSCommand SSCommand1;  // "E&xit"
    // The resizer: on in the full-screen display, off in the smaller one.
    ElasticResizer vsElasticLight1;

    platform::Menu mO;
    platform::Menu mOM;
    platform::Menu mOR;
    platform::Menu mO1;
    platform::Menu mOE;

    // ---- form-level state ---------------------------------------------------------------------
    int DeleteAnswer = 0;      // the "Delete Files" answer (6 Yes, 7 No, 2 Cancel)
    int DiskPromptAnswer = 0;  // the last "Disk is Full." answer (1 OK, 2 Cancel)
    QString TargetPath;        // the folder acted on, ending in "/"
    // True while a backup or restore runs: the window cannot be closed and no second action
    // starts.
    bool Busy = false;
    // False once the Options entry of the window's mode has completed its action, until
    // another drive is chosen.
    bool ActionEntryReady = true;

private:
    // backup::DiskUser: what the procedures show and ask.
    void ShowStatus(const QString& text) override;
    void ShowProgress(bool visible) override;
    void SetProgress(int value) override;
    void Yield() override;
    backup::DiskAnswer PromptBlankBackupDisk() override;
    backup::DiskAnswer PromptNextBackupDisk(int diskNumber) override;
    backup::DiskAnswer PromptRestoreDisk(int diskNumber) override;
    std::optional<QString> ChooseDiskFolder(int diskNumber) override;

    void StartBackup();
    void StartRestore();
    void ShowBackupCancelled();
    void ShowRestoreFailure(const QString& first, const QString& reason, const QString& last);
    // The folder list shows the program folder itself (compared as canonical paths).
    bool ShowsProgramFolder() const;
    void UpdateActionButton();
    void UpdateActionEntry();
    void SetBusy(bool busy);
    void PlaceLabel5();
    void PlaceWindow();
    void ArrangeControls();
};
