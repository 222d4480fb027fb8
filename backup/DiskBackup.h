// The backup: every user file of the program folder copied to the chosen folder as its .hb1
// copy, over as many disks as it takes, each disk closed with its DiskInfo.bk1.
//
// On each disk, in this order: a write test with a file of the program's own, then the old
// DiskInfo.bk1 and copies removed, then a new DiskInfo.bk1 that does not yet name the disk,
// then the copies; only when the disk is complete (full, or the last one) are its number and
// last index written and the medium flushed. An interrupted backup therefore never reads as a
// complete one.
#pragma once

#include "backup/DiskUser.h"
#include "backup/UserFiles.h"

#include <QString>
#include <QStringList>

namespace backup {

// The write-test file, written and removed again before a disk is used.
inline const QString BackupTestFileName = QStringLiteral("Test1.hb1");

enum class BackupOutcome {
    Complete,    // every user file that exists is on the disks, and the disks are flushed
    Incomplete,  // as Complete, except the files in `unreadable`, which could not be read
    DiskError,   // the chosen folder cannot be written: nothing was changed on it
    Cancelled,   // the user cancelled at a disk prompt
    Failed,      // a disk could not be written, completed or flushed: see `reason`
    DiskGone,    // the disk went away while it was written: nothing more was written
};

struct BackupResult {
    BackupOutcome outcome = BackupOutcome::Failed;
    bool cancelledInFixedStage = false;  // cancelled before any numbered file was copied
    QStringList unreadable;              // program-folder names of files not backed up
    QString reason;
    int disks = 0;                       // disks written
    QString folder;                      // the folder of the last disk (with "/")
};

// A new identity for a backup set, written on every one of its disks.
QString newBackupSetIdentity();

class DiskBackup {
public:
    DiskBackup(const QString& targetFolder, DiskUser& user, const QString& setIdentity);
    BackupResult StartBackup();

private:
    enum class Copy { Copied, Absent, Unreadable, DiskFull, Failed };
    enum class Stage { Done, Cancelled, Failed };

    bool PrepareDisk(bool followingDisk, QString* why, int* error = nullptr);
    // Whether the folder is still on the file system the disk was begun on.
    bool DiskStillThere();
    Stage BackupFixedFiles();
    Stage BackupNumberedFiles();
    Stage AskForNextDisk();
    bool CompleteDisk(int lastFileIndex, int nextDiskNumber, QString* why);
    Copy CopyUserFile(const UserFile& file);
    void RemoveCopiesOnDisk();

    DiskUser& user_;
    QString TargetPath;  // always ends in "/"
    QString SetIdentity;
    int DiskNumber = 1;
    QStringList programFiles_;
    quint64 diskDevice_ = 0;  // the file system of the disk in use, taken when it is begun
    bool diskGone_ = false;
    BackupResult result_;
};

}  // namespace backup
