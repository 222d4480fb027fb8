// The restore: the user files of the program folder replaced by the .hb1 copies of a backup
// set, read disk by disk with the help of each disk's DiskInfo.bk1.
//
// Nothing in the program folder changes until the whole set has been read: every copy of every
// disk goes into a staging folder first and is read back and compared. Only then are the
// user's current files kept in a safety folder (second names of the same files, so nothing is
// copied), a journal naming them is written, and exactly the 169 user files are replaced: a
// copy moved into place, a file the set does not hold removed. Removing the journal completes
// the restore. If the program stops before that, the next start (or the next restore) puts the
// kept files back, so the folder always holds the old set or the new set, never a mix.
#pragma once

#include "backup/DiskInfo.h"
#include "backup/DiskUser.h"
#include "backup/UserFiles.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace backup {

// Inside the program folder, present only while a restore runs.
inline const QString RestoreStagingFolder = QStringLiteral(".restore-staging");
inline const QString RestoreSafetyFolder = QStringLiteral(".restore-safety");
inline const QString RestoreJournalFile = QStringLiteral(".restore-journal");

enum class RestoreOutcome {
    Restored,       // every user file is now the backup's copy, or absent as in the backup
    NotFirstDisk,   // the folder holds no first disk of a backup set
    Cancelled,      // cancelled at a disk prompt
    ReadFailed,     // a copy could not be read from a disk, or the disk was taken away
    DamagedCopy,    // a copy on a disk is not what its user file can be (see file, disk, reason)
    StagingFailed,  // the copies could not be put into the program folder (a full disk...)
    ReplaceFailed,  // replacing the files failed; they were put back as they were
    PutBackFailed,  // replacing failed and so did putting them back; the next start does it
    Unfinished,     // an earlier restore's files could not be put back; nothing was done
};

// What a start or a restore found of an earlier restore that it could not trust, and the
// dated folder of the program folder it was moved to.
struct SetAside {
    QStringList found;
    QString folder;
    bool empty() const { return found.isEmpty(); }
};

struct RestoreResult {
    RestoreOutcome outcome = RestoreOutcome::Cancelled;
    SetAside setAside;  // leftovers of an earlier restore moved aside before this one began
    QString file;  // ReadFailed, DamagedCopy: the backup name that failed
    int disk = 0;  // ReadFailed, DamagedCopy: the disk it was on
    QString reason;
    // Whether the program folder was left exactly as before the restore.
    bool unchanged() const { return outcome != RestoreOutcome::Restored && outcome != RestoreOutcome::PutBackFailed; }
};

// Whether the folder holds disk 1 of a backup set: DiskInfo.bk1 with "HIPAA" and number 1.
// Reading it never creates it.
bool isFirstBackupDisk(const QString& folder);

class DiskRestore {
public:
    DiskRestore(const QString& folder, DiskUser& user);
    RestoreResult RestoreFiles();

private:
    bool AcceptDisk(const DiskInfo& info, int firstIndex);
    bool AskForDisk(int firstIndex);
    bool DiskStillInPlace() const;
    RestoreResult DiskTakenAway();
    bool StageFile(const UserFile& file);
    bool ReplaceUserFiles();
    RestoreResult Fail(RestoreOutcome outcome, const QString& reason);

    DiskUser& user_;
    QString TargetPath;  // always ends in "/"
    QString SetIdentity;
    int ExpectedDiskNumber = 1;
    int LastFileIndex = 0;
    DiskInfo disk_;
    QStringList diskFiles_;
    QString staging_;
    QSet<QString> staged_;
    RestoreResult result_;
};

enum class InterruptedRestore {
    None,     // no restore was interrupted
    Cleared,  // only leftovers of a restore that had not begun replacing, or had finished
    PutBack,  // a restore stopped while replacing: the user files are back as they were
    Failed,   // the files of an interrupted restore could not be put back (see *why)
    SetAside, // what was found could not be trusted: moved aside, no user file changed
};
// Finishes what an interrupted restore left in the program folder. Run at start-up and before
// every restore. A journal is trusted only when it is whole and names user files only, and the
// restore's folders only when they are the real folders it makes; anything else changes no
// user file and is moved aside into a dated folder (*aside), so a later restore works again.
InterruptedRestore finishInterruptedRestore(QString* why = nullptr, SetAside* aside = nullptr);
// The words that tell the user what was found and where it went, lines ended by `lineBreak`.
QString setAsideMessage(const SetAside& aside, const QString& lineBreak);
inline const QString SetAsideTitle = QStringLiteral("Restore Function");

}  // namespace backup
