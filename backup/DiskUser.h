// What a backup or a restore shows and asks while it runs. The backup window answers with its
// status panel, progress bar and message boxes; tests answer from a script. The procedures
// themselves show nothing.
#pragma once

#include <QString>
#include <optional>

namespace backup {

// The progress bar runs from 0 to 166: the six fixed files, then index + 5 for each numbered
// file (the last value, 167, is above the maximum and leaves the bar full).
inline constexpr int ProgressMaximum = 166;

// What the user answered a disk prompt: the disk is in place, or stop.
enum class DiskAnswer { GoOn, Cancel };

class DiskUser {
public:
    virtual ~DiskUser() = default;

    virtual void ShowStatus(const QString& text) = 0;
    virtual void ShowProgress(bool visible) = 0;
    virtual void SetProgress(int value) = 0;
    // Lets the window repaint and take clicks between files.
    virtual void Yield() = 0;

    // Backup: the fixed files did not fit on the first disk; a new blank disk is wanted.
    virtual DiskAnswer PromptBlankBackupDisk() = 0;
    // Backup: the disk is full and disk `diskNumber` is wanted.
    virtual DiskAnswer PromptNextBackupDisk(int diskNumber) = 0;
    // Restore: disk `diskNumber` of the set is wanted.
    virtual DiskAnswer PromptRestoreDisk(int diskNumber) = 0;
    // The chosen folder is gone (a new medium mounts at another path): the folder of disk
    // `diskNumber`, or nothing when the user cancelled the choice.
    virtual std::optional<QString> ChooseDiskFolder(int diskNumber) = 0;
};

}  // namespace backup
