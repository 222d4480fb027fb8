#include "backup/DiskRestore.h"

#include "backup/FileSystem.h"
#include "platform/Dialogs.h"

namespace backup {

namespace {

const QByteArray JournalHeader = QByteArrayLiteral("Quorvane restore journal 1");
const QByteArray JournalEnd = QByteArrayLiteral("end");
const QString JournalNewSuffix = QStringLiteral(".new");

QString programPath() { return withSlash(platform::programFolder()); }

QByteArray journalBytes(const QStringList& oldFiles) {
    QByteArray out = JournalHeader + '\n';
    for (const QString& name : oldFiles) out += "old " + name.toUtf8() + '\n';
    return out + JournalEnd + '\n';
}

// The user files the journal names as present before the restore; false when it is not a
// whole journal.
bool parseJournal(const QByteArray& bytes, QStringList* oldFiles) {
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    if (lines.size() < 2 || lines.first() != JournalHeader || lines.last() != JournalEnd) return false;
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        if (!lines[i].startsWith("old ")) return false;
        oldFiles->append(QString::fromUtf8(lines[i].mid(4)));
    }
    return true;
}

// Puts the user files kept in the safety folder back in place and removes what the restore
// added; then the journal goes, and with it the last trace of the restore.
bool putBack(const QStringList& oldFiles, QString* why) {
    FileSystem& fs = fileSystem();
    const QString prog = programPath();
    const QString safety = prog + RestoreSafetyFolder + QLatin1Char('/');
    const QStringList present = fs.files(prog);
    const QStringList kept = fs.files(safety);
    for (const UserFile& file : userFiles()) {
        const QString old = findName(oldFiles, file.programName);
        const QString current = findName(present, file.programName);
        if (!old.isEmpty()) {
            const QString keptName = findName(kept, old);
            if (keptName.isEmpty()) continue;  // already back in place
            if (!current.isEmpty() && current != old) fs.remove(prog + current);
            if (!fs.rename(safety + keptName, prog + old)) {
                *why = QStringLiteral("%1 could not be put back").arg(old);
                return false;
            }
        } else if (!current.isEmpty() && !fs.remove(prog + current)) {
            *why = QStringLiteral("%1 could not be removed").arg(current);
            return false;
        }
    }
    if (!fs.sync(prog, why)) return false;
    if (!fs.remove(prog + RestoreJournalFile)) {
        *why = QStringLiteral("The restore journal could not be removed");
        return false;
    }
    fs.sync(prog, why);
    fs.removeFolder(prog + RestoreStagingFolder);
    fs.removeFolder(prog + RestoreSafetyFolder);
    return true;
}

}  // namespace

bool isFirstBackupDisk(const QString& folder) {
    const DiskInfo info = readDiskInfo(folder);
    return info.hasSignature() && info.diskNumber == 1;
}

InterruptedRestore finishInterruptedRestore(QString* why) {
    QString reason;
    FileSystem& fs = fileSystem();
    const QString prog = programPath();
    InterruptedRestore outcome = InterruptedRestore::None;
    if (fs.files(prog).contains(RestoreJournalFile)) {
        const platform::ReadResult read = fs.read(prog + RestoreJournalFile);
        QStringList oldFiles;
        if (!read.ok() || !parseJournal(read.bytes, &oldFiles)) {
            if (why) *why = QStringLiteral("The restore journal cannot be read");
            return InterruptedRestore::Failed;
        }
        if (!putBack(oldFiles, &reason)) {
            if (why) *why = reason;
            return InterruptedRestore::Failed;
        }
        outcome = InterruptedRestore::PutBack;
    }
    fs.remove(prog + RestoreJournalFile + JournalNewSuffix);
    for (const QString& leftover : {RestoreStagingFolder, RestoreSafetyFolder}) {
        if (fs.isFolder(prog + leftover)) {
            fs.removeFolder(prog + leftover);
            if (outcome == InterruptedRestore::None) outcome = InterruptedRestore::Cleared;
        }
    }
    return outcome;
}

DiskRestore::DiskRestore(const QString& folder, DiskUser& user) : user_(user), TargetPath(withSlash(folder)) {}

RestoreResult DiskRestore::Fail(RestoreOutcome outcome, const QString& reason) {
    result_.outcome = outcome;
    if (result_.reason.isEmpty()) result_.reason = reason;
    if (outcome != RestoreOutcome::PutBackFailed) fileSystem().removeFolder(staging_);
    return result_;
}

// Takes the disk in TargetPath as the next one of the set when its record names it; the
// numbered files from `firstIndex` on are read from it.
bool DiskRestore::AcceptDisk(const DiskInfo& info, int firstIndex) {
    if (!info.hasSignature() || info.diskNumber != ExpectedDiskNumber) return false;
    // A disk of another backup set is not taken for this one (older sets carry no identity).
    if (ExpectedDiskNumber == 1) SetIdentity = info.setIdentity;
    else if (!SetIdentity.isEmpty() && info.setIdentity != SetIdentity) return false;
    if (info.lastFileIndex < firstIndex - 1 || info.lastFileIndex > LastBackupFileIndex) return false;
    const QStringList files = fileSystem().files(TargetPath);
    if (findName(files, DiskInfoFileName).isEmpty()) return false;  // the listing lost the disk
    disk_ = info;
    LastFileIndex = info.lastFileIndex;
    diskFiles_ = files;
    return true;
}

bool DiskRestore::AskForDisk(int firstIndex) {
    FileSystem& fs = fileSystem();
    ++ExpectedDiskNumber;
    for (;;) {
        if (user_.PromptRestoreDisk(ExpectedDiskNumber) == platform::Answer::Cancel) return false;
        user_.Yield();
        if (!fs.isFolder(TargetPath)) {
            const std::optional<QString> folder = user_.ChooseDiskFolder(ExpectedDiskNumber);
            if (!folder) continue;
            TargetPath = withSlash(*folder);
        }
        if (AcceptDisk(readDiskInfo(TargetPath), firstIndex)) return true;
    }
}

// The disk whose files were just read is still the one accepted: a disk taken away or changed
// half-way reads as missing files, never as a set without them.
bool DiskRestore::DiskStillInPlace() const {
    const DiskInfo now = readDiskInfo(TargetPath);
    return now.hasSignature() && now.diskNumber == disk_.diskNumber && now.setIdentity == disk_.setIdentity &&
           now.lastFileIndex == disk_.lastFileIndex;
}

RestoreResult DiskRestore::DiskTakenAway() {
    result_.disk = ExpectedDiskNumber;
    return Fail(RestoreOutcome::ReadFailed, QStringLiteral("The disk was taken away before all its files were read"));
}

bool DiskRestore::StageFile(const UserFile& file) {
    FileSystem& fs = fileSystem();
    const QString name = findName(diskFiles_, file.backupName);
    if (name.isEmpty()) return true;  // the user file did not exist when the backup was made
    const platform::ReadResult read = fs.read(TargetPath + name);
    if (!read.ok()) {
        result_.outcome = RestoreOutcome::ReadFailed;
        result_.file = file.backupName;
        result_.disk = ExpectedDiskNumber;
        return false;
    }
    QString why;
    const QString staged = staging_ + file.programName;
    if (!fs.writeNew(staged, read.bytes, &why)) {
        result_.outcome = RestoreOutcome::StagingFailed;
        result_.reason = why;
        return false;
    }
    const platform::ReadResult check = fs.read(staged);
    if (!check.ok() || check.bytes != read.bytes) {
        result_.outcome = RestoreOutcome::StagingFailed;
        result_.reason = QStringLiteral("The copy of %1 in the program folder does not match the backup").arg(file.backupName);
        return false;
    }
    staged_.insert(file.programName);
    return true;
}

RestoreResult DiskRestore::RestoreFiles() {
    result_ = {};
    FileSystem& fs = fileSystem();
    QString why;
    if (finishInterruptedRestore(&why) == InterruptedRestore::Failed) return Fail(RestoreOutcome::Unfinished, why);
    ExpectedDiskNumber = 1;
    if (!AcceptDisk(readDiskInfo(TargetPath), 0)) return Fail(RestoreOutcome::NotFirstDisk, {});
    staging_ = programPath() + RestoreStagingFolder + QLatin1Char('/');
    if (!fs.makeFolder(staging_)) return Fail(RestoreOutcome::StagingFailed, QStringLiteral("The staging folder cannot be made"));
    user_.ShowProgress(true);
    user_.Yield();
    for (int p = 1; p <= FixedFileCount; ++p) {
        if (!StageFile(fixedBackupFile(p))) return Fail(result_.outcome, {});
        user_.SetProgress(p);
    }
    for (int i = 0; i <= LastBackupFileIndex; ++i) {
        user_.SetProgress(i + 5);
        // The disk in use ended before this index (also a disk that filled at index 0, or one
        // that holds no numbered file): the next disk first.
        while (LastFileIndex < i) {
            if (!DiskStillInPlace()) return DiskTakenAway();
            user_.ShowProgress(false);
            if (!AskForDisk(i)) return Fail(RestoreOutcome::Cancelled, {});
            user_.ShowProgress(true);
        }
        if (!StageFile(numberedBackupFile(i))) return Fail(result_.outcome, {});
        user_.Yield();
    }
    if (!DiskStillInPlace()) return DiskTakenAway();
    if (!fs.sync(staging_, &why)) return Fail(RestoreOutcome::StagingFailed, why);
    if (!ReplaceUserFiles()) return result_;
    user_.ShowProgress(false);
    result_.outcome = RestoreOutcome::Restored;
    return result_;
}

bool DiskRestore::ReplaceUserFiles() {
    FileSystem& fs = fileSystem();
    const QString prog = programPath();
    const QString safety = prog + RestoreSafetyFolder + QLatin1Char('/');
    const QString journal = prog + RestoreJournalFile;
    QString why;
    auto notBegun = [&](const QString& reason) {
        fs.removeFolder(safety);
        Fail(RestoreOutcome::StagingFailed, reason);
        return false;
    };
    // The user's current files get a second name in the safety folder.
    const QStringList present = fs.files(prog);
    fs.removeFolder(safety);
    if (!fs.makeFolder(safety)) return notBegun(QStringLiteral("The safety folder cannot be made"));
    QStringList oldFiles;
    for (const UserFile& file : userFiles()) {
        const QString actual = findName(present, file.programName);
        if (actual.isEmpty()) continue;
        if (!fs.link(prog + actual, safety + actual)) {
            // A file system without second names: a checked copy instead.
            const platform::ReadResult read = fs.read(prog + actual);
            if (!read.ok() || !fs.writeNew(safety + actual, read.bytes, &why) || fs.read(safety + actual).bytes != read.bytes)
                return notBegun(QStringLiteral("%1 cannot be kept in the safety folder").arg(actual));
        }
        oldFiles << actual;
    }
    if (!fs.sync(safety, &why)) return notBegun(why);
    // The journal is complete before it has its name, so a journal is always a whole one.
    const QString journalNew = journal + JournalNewSuffix;
    if (!fs.writeNew(journalNew, journalBytes(oldFiles), &why) || !fs.sync(prog, &why) || !fs.rename(journalNew, journal)) {
        fs.remove(journalNew);
        return notBegun(why.isEmpty() ? QStringLiteral("The restore journal cannot be written") : why);
    }
    auto giveBack = [&](const QString& reason) {
        QString putBackWhy;
        if (putBack(oldFiles, &putBackWhy)) {
            Fail(RestoreOutcome::ReplaceFailed, reason);
        } else {
            result_.reason = reason + QStringLiteral("; ") + putBackWhy;
            Fail(RestoreOutcome::PutBackFailed, {});
        }
        return false;
    };
    if (!fs.sync(prog, &why)) return giveBack(why);
    for (const UserFile& file : userFiles()) {
        const QString actual = findName(present, file.programName);
        if (staged_.contains(file.programName)) {
            // The copy takes the spelling the folder already has, so no second file differing
            // only in letter case appears.
            const QString target = actual.isEmpty() ? file.programName : actual;
            if (!fs.rename(staging_ + file.programName, prog + target))
                return giveBack(QStringLiteral("%1 could not be replaced").arg(target));
        } else if (!actual.isEmpty() && !fs.remove(prog + actual)) {
            return giveBack(QStringLiteral("%1 could not be removed").arg(actual));
        }
    }
    if (!fs.sync(prog, &why)) return giveBack(why);
    // The restore is complete once the journal is gone.
    if (!fs.remove(journal)) return giveBack(QStringLiteral("The restore journal could not be removed"));
    fs.sync(prog, &why);
    fs.removeFolder(staging_);
    fs.removeFolder(safety);
    return true;
}

}  // namespace backup
