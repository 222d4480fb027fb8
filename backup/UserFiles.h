// The user's files that a backup copies and a restore brings back: six fixed files and the 163
// numbered documents, each with its name in the program folder and its name on the backup
// medium. The program-folder names are asked of the stores that own the files, so that a
// restored file carries the spelling its owner reads and writes.
#pragma once

#include <QString>
#include <vector>

namespace backup {

// What a user file holds, as its owner writes it.
enum class UserFileKind {
    Document,     // a rich-text document
    Records,      // fixed records, each a StringRecord (or a VariantRecord where said)
    QuotedLines,  // one QuotedLine per value
};

struct UserFile {
    QString programName;  // in the program folder ("GColor3.Fil", "Action0.Fil")
    QString backupName;   // on the backup medium ("Gcolor3.hb1", "Action0.hb1")
    UserFileKind kind = UserFileKind::Document;
    qint64 maxBytes = 0;  // the most the file can hold; a larger one is never read
    int recordLength = 0;         // Records: the record length
    std::vector<int> usedRecords; // Records: the records the program reads
    bool variantRecords = false;  // Records: VariantRecords instead of StringRecords
};

// FixedBackupSet positions 1-6 and BackupFileIndex 0-162.
inline constexpr int FixedFileCount = 6;
inline constexpr int NumberedFileCount = 163;
inline constexpr int LastBackupFileIndex = NumberedFileCount - 1;

// Position p = 1..6 of the fixed set: the to-do item names, the display settings, the to-do
// list, the background colour, the status store, the worksheet titles.
UserFile fixedBackupFile(int position);
// Index i = 0..162: Action 0-46, Comment 47-93, Policy 94-140, Wksht 141-161, the recovery
// plan 162.
UserFile numberedBackupFile(int index);
// All 169 in backup order: the fixed set, then the numbered set.
const std::vector<UserFile>& userFiles();

// True when `name` is one of the user files' program-folder names (letter case ignored).
bool isUserFileName(const QString& name);

// Why these bytes cannot be the file `file` as its owner writes it (too large, not rich text,
// not of its record or line shape); empty when they can be.
QString copyDamage(const UserFile& file, const QByteArray& bytes);

}  // namespace backup
