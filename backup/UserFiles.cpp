#include "backup/UserFiles.h"

#include "frame/Settings.h"
#include "timeline/ToDoFiles.h"
#include "workbook/Documents.h"
#include "workbook/WorksheetTitles.h"

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

}  // namespace

UserFile fixedBackupFile(int position) {
    // The backup names of the fixed set are the ones older backup media carry.
    switch (position) {
    case 1: return {timeline::ToDoNameFile, QStringLiteral("ToDoName") + BackupSuffix};
    case 2: return {QString::fromLatin1(frame::DisplaySettingsFile), QStringLiteral("Gcolor3") + BackupSuffix};
    case 3: return {timeline::ToDoGridFile, QStringLiteral("ToDoActv") + BackupSuffix};
    case 4: return {QString::fromLatin1(frame::BackColorFile), QStringLiteral("Hinv3") + BackupSuffix};
    case 5: return {StatusStoreFile, QStringLiteral("Stat1") + BackupSuffix};
    case 6: return {workbook::WorksheetTitleFile, QStringLiteral("RAList") + BackupSuffix};
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
    return {name, stem(name) + BackupSuffix};
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

}  // namespace backup
