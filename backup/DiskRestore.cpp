#include "backup/DiskRestore.h"

#include "platform/Files.h"
#include "platform/Services.h"

#include <QDateTime>

namespace backup {

using platform::findName;
using platform::withSlash;

namespace {

const QByteArray JournalHeader = QByteArrayLiteral("Quorvane restore journal 1");
const QByteArray JournalEnd = QByteArrayLiteral("end");
const QString RestoreNewJournalFile = RestoreJournalFile + QStringLiteral(".new");

QString programPath() { return withSlash(platform::programFolder()); }

QByteArray journalBytes(const QStringList& oldFiles) {
    QByteArray out = JournalHeader + '\n';
    for (const QString& name : oldFiles) out += "old " + name.toUtf8() + '\n';
    return out + JournalEnd + '\n';
}

// The most a journal can hold: a header, an end and one line for each of the 169 user files.
constexpr qint64 MaxJournalBytes = 16 * 1024;

// The user files the journal names as present before the restore. A journal is trusted only
// when it is whole and names nothing but user files, each once; otherwise *damage says what
// is wrong with it.
bool parseJournal(const QByteArray& bytes, QStringList* oldFiles, QString* damage) {
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    if (lines.size() < 2 || lines.first() != JournalHeader || lines.last() != JournalEnd) {
        *damage = QStringLiteral("%1 is not a whole restore journal").arg(RestoreJournalFile);
        return false;
    }
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        const QString name = QString::fromUtf8(lines[i].mid(4));
        if (!lines[i].startsWith("old ") || !isUserFileName(name) || !findName(*oldFiles, name).isEmpty()) {
            *damage = QStringLiteral("%1 names %2, which is not a User Created File of Quorvane")
                          .arg(RestoreJournalFile, QString::fromUtf8(lines[i].left(80)));
            return false;
        }
        oldFiles->append(name);
    }
    return true;
}

// Puts the user files kept in the safety folder back in place and removes what the restore
// added; then the journal goes, and with it the last trace of the restore.
bool putBack(const QStringList& oldFiles, QString* why) {
    const QString prog = programPath();
    const QString safety = prog + RestoreSafetyFolder + QLatin1Char('/');
    const QStringList present = platform::filesIn(prog);
    const QStringList kept = platform::filesIn(safety);
    for (const UserFile& file : userFiles()) {
        const QString old = findName(oldFiles, file.programName);
        const QString current = findName(present, file.programName);
        if (!old.isEmpty()) {
            const QString keptName = findName(kept, old);
            if (keptName.isEmpty()) continue;  // already back in place
            if (!current.isEmpty() && current != old) platform::removeFile(prog + current);
            if (!platform::renameFile(safety + keptName, prog + old)) {
                *why = QStringLiteral("%1 could not be put back").arg(old);
                return false;
            }
        } else if (!current.isEmpty() && !platform::removeFile(prog + current)) {
            *why = QStringLiteral("%1 could not be removed").arg(current);
            return false;
        }
    }
    if (!platform::flushDisk(prog, why)) return false;
    if (!platform::removeFile(prog + RestoreJournalFile)) {
        *why = QStringLiteral("The restore journal could not be removed");
        return false;
    }
    platform::flushDisk(prog, why);
    platform::removeFolder(prog + RestoreStagingFolder);
    platform::removeFolder(prog + RestoreSafetyFolder);
    return true;
}

QString describeKind(platform::EntryKind kind) {
    switch (kind) {
    case platform::EntryKind::Link: return QStringLiteral("a link");
    case platform::EntryKind::Folder: return QStringLiteral("a folder");
    case platform::EntryKind::File: return QStringLiteral("a file");
    default: return QStringLiteral("neither a file nor a folder");
    }
}

// The restore's entries in the program folder and the kind the restore makes each of.
struct RestoreEntry {
    const QString& name;
    platform::EntryKind kind;
};
const RestoreEntry RestoreEntries[] = {
    {RestoreJournalFile, platform::EntryKind::File},
    {RestoreSafetyFolder, platform::EntryKind::Folder},
    {RestoreStagingFolder, platform::EntryKind::Folder},
    {RestoreNewJournalFile, platform::EntryKind::File},
};

// Moves every entry of the restore that is there into a new dated folder of the program folder,
// each as it stands: a link is moved as the link it is, never followed, and nothing in a
// folder is emptied, so whatever an earlier restore kept stays where the user can find it.
bool moveAside(SetAside* aside, QString* why) {
    const QString prog = programPath();
    const QDateTime now(platform::clock().today(), platform::clock().timeOfDay());
    const QString stamp = now.toString(QStringLiteral("yyyy-MM-dd HHmmss"));
    QString folder = QStringLiteral("Restore set aside %1").arg(stamp);
    for (int n = 2; platform::entryKind(prog + folder) != platform::EntryKind::Missing && n < 100; ++n)
        folder = QStringLiteral("Restore set aside %1 (%2)").arg(stamp).arg(n);
    if (!platform::makeFolder(prog + folder)) {
        *why = QStringLiteral("The folder %1 cannot be made").arg(folder);
        return false;
    }
    for (const RestoreEntry& e : RestoreEntries) {
        const QString& name = e.name;
        if (platform::entryKind(prog + name) == platform::EntryKind::Missing) continue;
        if (!platform::renameFile(prog + name, prog + folder + QLatin1Char('/') + name, why)) {
            *why = QStringLiteral("%1 could not be moved to %2: %3").arg(name, folder, *why);
            return false;
        }
    }
    platform::flushDisk(prog, why);
    if (aside) aside->folder = folder;
    return true;
}

}  // namespace

bool isFirstBackupDisk(const QString& folder) {
    const DiskInfo info = readDiskInfo(folder);
    return info.hasSignature() && info.diskNumber == 1;
}

InterruptedRestore finishInterruptedRestore(QString* why, SetAside* aside) {
    QString reason;
    const QString prog = programPath();
    // Anything in the place of the restore's own entries that is not what the restore makes
    // there is used for nothing: not read, not followed, not emptied.
    QStringList found;
    for (const RestoreEntry& e : RestoreEntries) {
        const platform::EntryKind kind = platform::entryKind(prog + e.name);
        if (kind != platform::EntryKind::Missing && kind != e.kind)
            found << QStringLiteral("%1 is %2, not %3 of the restore").arg(e.name, describeKind(kind), describeKind(e.kind));
    }
    QStringList oldFiles;
    const bool journal = platform::entryKind(prog + RestoreJournalFile) == platform::EntryKind::File;
    if (found.isEmpty() && journal) {
        const platform::ReadResult read = platform::readWholeFile(prog + RestoreJournalFile, MaxJournalBytes);
        QString damage;
        if (!read.ok()) {
            found << QStringLiteral("%1 cannot be read").arg(RestoreJournalFile);
        } else if (!parseJournal(read.bytes, &oldFiles, &damage)) {
            found << damage;
        } else {
            // The kept files must be the files the restore put there.
            const QString safety = prog + RestoreSafetyFolder + QLatin1Char('/');
            for (const QString& name : platform::entriesIn(safety)) {
                if (platform::entryKind(safety + name) != platform::EntryKind::File || findName(oldFiles, name).isEmpty()) {
                    found << QStringLiteral("%1 holds %2, which the restore did not keep there").arg(RestoreSafetyFolder, name);
                    break;
                }
            }
        }
    }
    if (!found.isEmpty()) {
        if (aside) aside->found = found;
        if (!moveAside(aside, &reason)) {
            if (why) *why = found.join(QStringLiteral("; ")) + QStringLiteral("; ") + reason;
            return InterruptedRestore::Failed;
        }
        if (why) *why = found.join(QStringLiteral("; "));
        return InterruptedRestore::SetAside;
    }
    InterruptedRestore outcome = InterruptedRestore::None;
    if (journal) {
        if (!putBack(oldFiles, &reason)) {
            if (why) *why = reason;
            return InterruptedRestore::Failed;
        }
        outcome = InterruptedRestore::PutBack;
    }
    platform::removeFile(prog + RestoreNewJournalFile);  // a file: anything else was set aside
    for (const QString& leftover : {RestoreStagingFolder, RestoreSafetyFolder}) {
        if (platform::entryKind(prog + leftover) == platform::EntryKind::Folder) {
            platform::removeFolder(prog + leftover);
            if (outcome == InterruptedRestore::None) outcome = InterruptedRestore::Cleared;
        }
    }
    return outcome;
}

QString setAsideMessage(const SetAside& aside, const QString& lineBreak) {
    QString text = QStringLiteral("Quorvane found what an earlier restore left in its folder and could not trust it:") + lineBreak;
    for (const QString& line : aside.found) text += line + lineBreak;
    return text + QStringLiteral("It has been moved to the folder \"%1\" in the Quorvane program folder.").arg(aside.folder) +
           lineBreak + QStringLiteral("No User Created Files have been changed by it.");
}

DiskRestore::DiskRestore(const QString& folder, DiskUser& user) : user_(user), TargetPath(withSlash(folder)) {}

RestoreResult DiskRestore::Fail(RestoreOutcome outcome, const QString& reason) {
    result_.outcome = outcome;
    if (result_.reason.isEmpty()) result_.reason = reason;
    if (outcome != RestoreOutcome::PutBackFailed) platform::removeFolder(staging_);
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
    const QStringList files = platform::entriesIn(TargetPath);
    if (findName(files, DiskInfoFileName).isEmpty()) return false;  // the listing lost the disk
    disk_ = info;
    LastFileIndex = info.lastFileIndex;
    diskFiles_ = files;
    return true;
}

bool DiskRestore::AskForDisk(int firstIndex) {
    ++ExpectedDiskNumber;
    for (;;) {
        if (user_.PromptRestoreDisk(ExpectedDiskNumber) == DiskAnswer::Cancel) return false;
        user_.Yield();
        if (!platform::folderExists(TargetPath)) {
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
    const QString name = findName(diskFiles_, file.backupName);
    if (name.isEmpty()) return true;  // the user file did not exist when the backup was made
    auto damaged = [&](const QString& why) {
        result_.outcome = RestoreOutcome::DamagedCopy;
        result_.file = name;
        result_.disk = ExpectedDiskNumber;
        result_.reason = why;
        return false;
    };
    // Anything of the copy's name counts: a folder or a link there is no copy, and is never
    // taken for a copy that is missing (which would remove the user's file).
    const platform::EntryKind kind = platform::entryKind(TargetPath + name);
    if (kind == platform::EntryKind::Folder) return damaged(QStringLiteral("it is a folder, not a copy of a file"));
    if (kind == platform::EntryKind::Link) return damaged(QStringLiteral("it is a link, not a copy of a file"));
    if (kind == platform::EntryKind::Other) return damaged(QStringLiteral("it is not a copy of a file"));
    const platform::ReadResult read = platform::readWholeFile(TargetPath + name, file.maxBytes);
    if (read.tooLarge) return damaged(QStringLiteral("it is larger than %1 can be (%2 bytes)").arg(file.programName).arg(file.maxBytes));
    if (!read.ok()) {
        result_.outcome = RestoreOutcome::ReadFailed;
        result_.file = file.backupName;
        result_.disk = ExpectedDiskNumber;
        return false;
    }
    if (const QString damage = copyDamage(file, read.bytes); !damage.isEmpty()) return damaged(damage);
    QString why;
    const QString staged = staging_ + file.programName;
    if (!platform::writeNewFile(staged, read.bytes, &why)) {
        result_.outcome = RestoreOutcome::StagingFailed;
        result_.reason = why;
        return false;
    }
    const platform::ReadResult check = platform::readWholeFile(staged, file.maxBytes);
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
    QString why;
    if (finishInterruptedRestore(&why, &result_.setAside) == InterruptedRestore::Failed)
        return Fail(RestoreOutcome::Unfinished, why);
    ExpectedDiskNumber = 1;
    if (!AcceptDisk(readDiskInfo(TargetPath), 0)) return Fail(RestoreOutcome::NotFirstDisk, {});
    staging_ = programPath() + RestoreStagingFolder + QLatin1Char('/');
    if (!platform::makeFolder(staging_)) return Fail(RestoreOutcome::StagingFailed, QStringLiteral("The staging folder cannot be made"));
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
    if (!platform::flushDisk(staging_, &why)) return Fail(RestoreOutcome::StagingFailed, why);
    if (!ReplaceUserFiles()) return result_;
    user_.ShowProgress(false);
    result_.outcome = RestoreOutcome::Restored;
    return result_;
}

bool DiskRestore::ReplaceUserFiles() {
    const QString prog = programPath();
    const QString safety = prog + RestoreSafetyFolder + QLatin1Char('/');
    const QString journal = prog + RestoreJournalFile;
    QString why;
    auto notBegun = [&](const QString& reason) {
        platform::removeFolder(safety);
        Fail(RestoreOutcome::StagingFailed, reason);
        return false;
    };
    // The user's current files get a second name in the safety folder.
    const QStringList present = platform::filesIn(prog);
    platform::removeFolder(safety);
    if (!platform::makeFolder(safety)) return notBegun(QStringLiteral("The safety folder cannot be made"));
    QStringList oldFiles;
    for (const UserFile& file : userFiles()) {
        const QString actual = findName(present, file.programName);
        if (actual.isEmpty()) continue;
        if (!platform::linkFile(prog + actual, safety + actual)) {
            // A file system without second names: a checked copy instead.
            const platform::ReadResult read = platform::readWholeFile(prog + actual);
            if (!read.ok() || !platform::writeNewFile(safety + actual, read.bytes, &why) || platform::readWholeFile(safety + actual).bytes != read.bytes)
                return notBegun(QStringLiteral("%1 cannot be kept in the safety folder").arg(actual));
        }
        oldFiles << actual;
    }
    if (!platform::flushDisk(safety, &why)) return notBegun(why);
    // The journal is complete before it has its name, so a journal is always a whole one.
    const QString journalNew = prog + RestoreNewJournalFile;
    if (!platform::writeNewFile(journalNew, journalBytes(oldFiles), &why) || !platform::flushDisk(prog, &why) || !platform::renameFile(journalNew, journal)) {
        platform::removeFile(journalNew);
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
    if (!platform::flushDisk(prog, &why)) return giveBack(why);
    for (const UserFile& file : userFiles()) {
        const QString actual = findName(present, file.programName);
        if (staged_.contains(file.programName)) {
            // The copy takes the spelling the folder already has, so no second file differing
            // only in letter case appears.
            const QString target = actual.isEmpty() ? file.programName : actual;
            if (!platform::renameFile(staging_ + file.programName, prog + target))
                return giveBack(QStringLiteral("%1 could not be replaced").arg(target));
        } else if (!actual.isEmpty() && !platform::removeFile(prog + actual)) {
            return giveBack(QStringLiteral("%1 could not be removed").arg(actual));
        }
    }
    if (!platform::flushDisk(prog, &why)) return giveBack(why);
    // The restore is complete once the journal is gone.
    if (!platform::removeFile(journal)) return giveBack(QStringLiteral("The restore journal could not be removed"));
    platform::flushDisk(prog, &why);
    platform::removeFolder(staging_);
    platform::removeFolder(safety);
    return true;
}

}  // namespace backup
