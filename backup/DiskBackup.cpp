#include "backup/DiskBackup.h"

#include "backup/DiskInfo.h"
#include "platform/Files.h"
#include "platform/Services.h"

#include <QRandomGenerator>

namespace backup {

using platform::findName;
using platform::withSlash;

namespace {

const QByteArray WriteTestBytes = QByteArrayLiteral("Quorvane backup disk write test\r\n");

bool isCopyName(const QString& name) { return name.endsWith(QLatin1String(".hb1"), Qt::CaseInsensitive); }
bool isInfoName(const QString& name) { return name.endsWith(QLatin1String(".bk1"), Qt::CaseInsensitive); }

}  // namespace

QString newBackupSetIdentity() {
    const QString stamp = platform::clock().today().toString(QStringLiteral("yyyyMMdd")) +
                          platform::clock().timeOfDay().toString(QStringLiteral("HHmmss"));
    const QString random = QString::number(QRandomGenerator::global()->generate(), 16).toUpper();
    return QStringLiteral("Set %1 %2").arg(stamp, random.rightJustified(8, QLatin1Char('0')));
}

DiskBackup::DiskBackup(const QString& targetFolder, DiskUser& user, const QString& setIdentity)
    : user_(user), TargetPath(withSlash(targetFolder)), SetIdentity(setIdentity) {}

BackupResult DiskBackup::StartBackup() {
    result_ = {};
    programFiles_ = platform::filesIn(platform::programFolder());
    // The write test comes first: a folder that cannot be written keeps its old copies.
    QString why;
    if (!PrepareDisk(false, &why)) {
        result_.outcome = BackupOutcome::DiskError;
        result_.reason = why;
        return result_;
    }
    user_.Yield();
    user_.ShowStatus(QStringLiteral("Making User Created Files Backup Disk #1"));
    Stage stage = BackupFixedFiles();
    if (stage == Stage::Done) stage = BackupNumberedFiles();
    else result_.cancelledInFixedStage = stage == Stage::Cancelled;
    result_.folder = TargetPath;
    switch (stage) {
    case Stage::Done:
        result_.outcome = result_.unreadable.isEmpty() ? BackupOutcome::Complete : BackupOutcome::Incomplete;
        break;
    case Stage::Cancelled:
        result_.outcome = BackupOutcome::Cancelled;
        break;
    case Stage::Failed:
        result_.outcome = diskGone_ ? BackupOutcome::DiskGone : BackupOutcome::Failed;
        break;
    }
    return result_;
}

// Makes the disk in TargetPath ready: write test, old disk-information and copies removed,
// a new DiskInfo.bk1 that does not yet name the disk.
bool DiskBackup::DiskStillThere() {
    if (diskGone_) return false;
    // A medium taken out leaves its bare mount folder on the disk below, on another file
    // system: a copy written there would land on the internal disk and count as backed up.
    if (platform::fileSystemOf(TargetPath) != diskDevice_) {
        diskGone_ = true;
        result_.reason = QStringLiteral("The backup disk went away before the backup was complete");
        return false;
    }
    return true;
}

bool DiskBackup::PrepareDisk(bool followingDisk, QString* why, int* error) {
    if (!platform::folderExists(TargetPath)) {
        *why = QStringLiteral("The folder %1 is not available").arg(TargetPath);
        return false;
    }
    diskDevice_ = platform::fileSystemOf(TargetPath);
    const QString test = TargetPath + BackupTestFileName;
    if (!platform::writeNewFile(test, WriteTestBytes, why, error)) return false;
    platform::removeFile(test);
    // The disk-information record goes first, so that a backup interrupted while the old
    // copies are removed leaves no disk that reads as complete.
    const auto clear = [&](auto isOld) {
        bool ok = true;
        for (const QString& name : platform::filesIn(TargetPath))
            if (isOld(name) && !platform::removeFile(TargetPath + name)) ok = false;
        return ok;
    };
    const bool cleared = clear([](const QString& n) { return n.compare(DiskInfoFileName, Qt::CaseInsensitive) == 0; }) &&
                         clear([followingDisk](const QString& n) { return isCopyName(n) || (followingDisk && isInfoName(n)); });
    if (!cleared) {
        *why = QStringLiteral("The old backup files in %1 cannot be removed").arg(TargetPath);
        return false;
    }
    return platform::writeNewFile(TargetPath + DiskInfoFileName, newDiskInfoBytes(), why);
}

DiskBackup::Copy DiskBackup::CopyUserFile(const UserFile& file) {
    const QString actual = findName(programFiles_, file.programName);
    if (actual.isEmpty()) return Copy::Absent;  // not written yet by its owner
    // No larger than its kind can be: a larger file is not read whole, and its copy would be
    // refused by every restore of the set.
    const platform::ReadResult read = platform::readWholeFile(withSlash(platform::programFolder()) + actual, file.maxBytes);
    if (read.status == platform::ReadStatus::Missing) return Copy::Absent;
    if (!read.ok()) {
        if (!result_.unreadable.contains(file.programName)) result_.unreadable << file.programName;
        return Copy::Unreadable;
    }
    if (!DiskStillThere()) return Copy::Failed;
    QString why;
    int error = 0;
    if (platform::writeNewFile(TargetPath + file.backupName, read.bytes, &why, &error)) return Copy::Copied;
    // Only a full disk asks for the next one; any other failure is told with its reason.
    if (platform::isDiskFullError(error)) return Copy::DiskFull;
    if (DiskStillThere()) result_.reason = QStringLiteral("%1 could not be written: %2").arg(file.backupName, why);
    return Copy::Failed;
}

void DiskBackup::RemoveCopiesOnDisk() {
    for (const QString& name : platform::filesIn(TargetPath))
        if (isCopyName(name) || name.compare(DiskInfoFileName, Qt::CaseInsensitive) == 0) platform::removeFile(TargetPath + name);
}

DiskBackup::Stage DiskBackup::BackupFixedFiles() {
    for (;;) {
        // Start and restart point: the fixed files go on the first disk together.
        user_.ShowProgress(true);
        user_.Yield();
        bool full = false;
        for (int p = 1; p <= FixedFileCount && !full; ++p) {
            const Copy c = CopyUserFile(fixedBackupFile(p));
            if (c == Copy::Failed) return Stage::Failed;
            if (c == Copy::DiskFull) full = true;
            else if (c == Copy::Copied) user_.SetProgress(p);
        }
        if (!full) return Stage::Done;
        RemoveCopiesOnDisk();
        // A new blank disk, asked for until one takes the write test or the user cancels.
        for (;;) {
            if (user_.PromptBlankBackupDisk() == DiskAnswer::Cancel) return Stage::Cancelled;
            if (!platform::folderExists(TargetPath)) {
                const std::optional<QString> folder = user_.ChooseDiskFolder(1);
                if (!folder) continue;
                TargetPath = withSlash(*folder);
            }
            QString why;
            int error = 0;
            if (PrepareDisk(true, &why, &error)) break;
            // A disk that is full too is asked for again; any other failure stops the backup.
            if (!platform::isDiskFullError(error)) {
                result_.reason = why;
                return Stage::Failed;
            }
        }
    }
}

// Writes the records that make the disk complete, the one naming the disk last: the copies are
// flushed first, then records 3-5 in one write, then record 2, each write synced.
bool DiskBackup::CompleteDisk(int lastFileIndex, int nextDiskNumber, QString* why) {
    if (!DiskStillThere()) {
        *why = result_.reason;
        return false;
    }
    const QString info = TargetPath + DiskInfoFileName;
    if (!platform::flushDisk(TargetPath, why)) return false;
    const QByteArray tail = diskInfoRecordBytes(nextDiskNumber > 0 ? diskNumberText(nextDiskNumber) : QString()) +
                            diskInfoRecordBytes(diskNumberText(lastFileIndex)) + diskInfoRecordBytes(SetIdentity);
    const auto at = [](int record) { return qint64(record - 1) * DiskInfoRecordLength; };
    return platform::writeFileAt(info, at(DiskInfoRecord::NextDiskNumber), tail, why) &&
           platform::writeFileAt(info, at(DiskInfoRecord::DiskNumber), diskInfoRecordBytes(diskNumberText(DiskNumber)), why);
}

// After a full disk: the next disk, asked for until a disk that is not one of this backup's
// takes the write test. False when the user cancelled.
DiskBackup::Stage DiskBackup::AskForNextDisk() {
    for (;;) {
        if (user_.PromptNextBackupDisk(DiskNumber + 1) == DiskAnswer::Cancel) {
            // Only a disk of this backup loses its record: it must not read as a complete set.
            const DiskInfo here = readDiskInfo(TargetPath);
            if (here.setIdentity == SetIdentity) {
                const QString name = findName(platform::filesIn(TargetPath), DiskInfoFileName);
                if (!name.isEmpty()) platform::removeFile(TargetPath + name);
            }
            return Stage::Cancelled;
        }
        if (!platform::folderExists(TargetPath)) {
            const std::optional<QString> folder = user_.ChooseDiskFolder(DiskNumber + 1);
            if (!folder) continue;
            TargetPath = withSlash(*folder);
        }
        // A disk of this backup still in the drive (the full one, not yet changed).
        if (readDiskInfo(TargetPath).setIdentity == SetIdentity) continue;
        user_.ShowStatus(QStringLiteral("Deleting Old Files"));
        QString why;
        int error = 0;
        if (!PrepareDisk(true, &why, &error)) {
            if (platform::isDiskFullError(error)) continue;  // full too: the next disk again
            result_.reason = why;
            return Stage::Failed;
        }
        user_.Yield();
        return Stage::Done;
    }
}

DiskBackup::Stage DiskBackup::BackupNumberedFiles() {
    DiskNumber = 1;
    result_.disks = 1;
    user_.ShowProgress(true);
    for (int i = 0; i <= LastBackupFileIndex; ++i) {
        user_.SetProgress(i + 5);
        user_.Yield();
        const Copy copy = CopyUserFile(numberedBackupFile(i));
        if (copy == Copy::Failed) return Stage::Failed;
        if (copy != Copy::DiskFull) continue;
        // The disk is full: it is closed with the index of the last file on it.
        user_.ShowProgress(false);
        QString why;
        if (!CompleteDisk(i - 1, DiskNumber + 1, &why)) {
            result_.reason = why;
            return Stage::Failed;
        }
        if (const Stage next = AskForNextDisk(); next != Stage::Done) return next;
        ++DiskNumber;  // counted only now that the new disk has been written
        result_.disks = DiskNumber;
        user_.ShowStatus(QStringLiteral("Making User Created Files Backup Disk #") + diskNumberText(DiskNumber));
        user_.ShowProgress(true);
        user_.Yield();
        --i;  // the file that did not fit is the first one on the new disk
    }
    user_.ShowProgress(false);
    QString why;
    // A following disk keeps its own number in record 3; the first disk of a one-disk backup
    // leaves it empty.
    if (!CompleteDisk(LastBackupFileIndex, DiskNumber > 1 ? DiskNumber : 0, &why)) {
        result_.reason = why;
        return Stage::Failed;
    }
    return Stage::Done;
}

}  // namespace backup
