#include "backup/UserFiles.h"

#include "frame/Settings.h"
#include "catalogue/Catalogue.h"
#include "platform/Files.h"
#include "timeline/ToDoFiles.h"
#include "workbook/Documents.h"
#include "workbook/StatusStore.h"
#include "workbook/WorksheetTitles.h"

#include <numeric>

namespace backup {

namespace {

// The status store names its file in its own code only; its name stands here, spelt as the
// store spells it.
const QString StatusStoreFile = QStringLiteral("Stat1.Fil");

const QString BackupSuffix = QStringLiteral(".hb1");

// The stem of a program-folder name: "Action0.Fil" -> "Action0".
QString stem(const QString& programName) {
    const qsizetype dot = programName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? programName : programName.left(dot);
}


std::vector<int> recordsUpTo(int last) {
    std::vector<int> numbers(static_cast<std::size_t>(last));
    std::iota(numbers.begin(), numbers.end(), 1);
    return numbers;
}

UserFile quotedLines(const QString& programName, const QString& backupStem, qint64 maxBytes) {
    return {programName, backupStem + BackupSuffix, UserFileKind::QuotedLines, maxBytes, 0, {}, false};
}

UserFile records(const QString& programName, const QString& backupStem, int length, std::vector<int> used,
                 bool variant = false) {
    const qint64 maxBytes = qint64(length) * (used.empty() ? 0 : used.back());
    return {programName, backupStem + BackupSuffix, UserFileKind::Records, maxBytes, length, std::move(used), variant};
}

}  // namespace

UserFile fixedBackupFile(int position) {
    // The backup names of the fixed set are the ones older backup media carry.
    switch (position) {
    case 1: return quotedLines(timeline::ToDoNameFile, QStringLiteral("ToDoName"), timeline::MaxToDoNameBytes);
    case 2:
        return records(QString::fromLatin1(frame::DisplaySettingsFile), QStringLiteral("Gcolor3"), frame::DisplaySettingsRecordLength,
                       {frame::GridWallpaperRecord, frame::GuideLineRecord, frame::DisplayModeRecord});
    case 3: return quotedLines(timeline::ToDoGridFile, QStringLiteral("ToDoActv"), timeline::MaxToDoListBytes);
    case 4:
        return records(QString::fromLatin1(frame::BackColorFile), QStringLiteral("Hinv3"), frame::BackColorRecordLength,
                       {frame::BackColorRecord}, true);
    case 5:
        return records(StatusStoreFile, QStringLiteral("Stat1"), workbook::StatusRecordLength,
                       recordsUpTo(catalogue::LastStatusNumber));
    case 6:
        return records(workbook::WorksheetTitleFile, QStringLiteral("RAList"), workbook::WorksheetTitleRecordLength,
                       recordsUpTo(workbook::WorksheetCount));
    default: return {};
    }
}

UserFile numberedBackupFile(int index) {
    using namespace workbook;
    QString name;
    if (index >= 0 && index <= 46) name = specDocumentFile(KindAction, index);
    else if (index >= 47 && index <= 93) name = specDocumentFile(KindComment, index - 47);
    else if (index >= 94 && index <= 140) name = specDocumentFile(KindPolicy, index - 94);
    else if (index >= 141 && index <= 161) name = worksheetDocumentFile(index - 141);
    else if (index == LastBackupFileIndex) name = RecoveryPlanFile;
    if (name.isEmpty()) return {};
    return {name, stem(name) + BackupSuffix, UserFileKind::Document, DocumentStore::MaxDocumentBytes, 0, {}, false};
}

const std::vector<UserFile>& userFiles() {
    static const std::vector<UserFile> all = [] {
        std::vector<UserFile> files;
        for (int p = 1; p <= FixedFileCount; ++p) files.push_back(fixedBackupFile(p));
        for (int i = 0; i <= LastBackupFileIndex; ++i) files.push_back(numberedBackupFile(i));
        return files;
    }();
    return all;
}

bool isUserFileName(const QString& name) {
    for (const UserFile& f : userFiles())
        if (f.programName.compare(name, Qt::CaseInsensitive) == 0) return true;
    return false;
}

namespace {

unsigned le16(const QByteArray& bytes, qsizetype at) {
    return unsigned(static_cast<unsigned char>(bytes.at(at))) | (unsigned(static_cast<unsigned char>(bytes.at(at + 1))) << 8);
}

// The last byte that is not a blank, a line end or a NUL (which some editors leave after the
// closing brace); -1 when there is none.
qsizetype lastMeaningfulByte(const QByteArray& bytes) {
    qsizetype i = bytes.size() - 1;
    while (i >= 0 && (bytes.at(i) == ' ' || bytes.at(i) == '\r' || bytes.at(i) == '\n' || bytes.at(i) == '\t' || bytes.at(i) == '\0'))
        --i;
    return i;
}

}  // namespace

QString copyDamage(const UserFile& file, const QByteArray& bytes) {
    if (bytes.size() > file.maxBytes)
        return QStringLiteral("it is larger than %1 can be (%2 bytes)").arg(file.programName).arg(file.maxBytes);
    switch (file.kind) {
    case UserFileKind::Document: {
        // Every document the program writes is a whole rich-text document: it begins with the
        // rich-text header and ends with the brace that closes it.
        if (bytes.isEmpty()) return QStringLiteral("it is empty");
        if (!bytes.startsWith("{\\rtf")) return QStringLiteral("it is not a rich-text (RTF) document");
        const qsizetype last = lastMeaningfulByte(bytes);
        if (last < 0 || bytes.at(last) != '}') return QStringLiteral("the rich-text document in it is cut short");
        return {};
    }
    case UserFileKind::Records: {
        // Each record the program reads holds a value that fits its record.
        const int length = file.recordLength;
        for (int record : file.usedRecords) {
            const qsizetype at = qsizetype(record - 1) * length;
            if (at + length > bytes.size()) break;  // beyond the end: never written, reads empty
            if (file.variantRecords) {
                const unsigned type = le16(bytes, at);
                const bool fits = type == platform::VariantValue::Empty || type == platform::VariantValue::Integer ||
                                  (type == platform::VariantValue::Text && le16(bytes, at + 2) <= unsigned(length - 4));
                if (!fits) return QStringLiteral("record %1 does not hold a value of %2").arg(record).arg(file.programName);
            } else if (le16(bytes, at) > unsigned(length - 2)) {
                return QStringLiteral("record %1 does not hold a value of %2").arg(record).arg(file.programName);
            }
        }
        return {};
    }
    case UserFileKind::QuotedLines: {
        // Lines of quoted text, each ended by its line end: no NUL, and a non-empty file begins
        // with a quote and ends with a whole line.
        if (bytes.isEmpty()) return {};
        if (bytes.contains('\0')) return QStringLiteral("it is not a file of text lines");
        qsizetype start = 0;
        while (start < bytes.size() && (bytes.at(start) == ' ' || bytes.at(start) == '\t')) ++start;
        if (start >= bytes.size() || bytes.at(start) != '"') return QStringLiteral("it is not a file of quoted text lines");
        if (!bytes.endsWith('\n')) return QStringLiteral("its last line is cut short");
        return {};
    }
    }
    return {};
}

}  // namespace backup
