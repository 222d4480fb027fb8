#include "platform/FolderNames.h"

#include "platform/Files.h"

#include <QDir>

namespace platform {

QSet<QString> programFolderNames() {
    QSet<QString> names;
    const QStringList entries = QDir(programFolder()).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString& e : entries) names.insert(e.toLower());
    return names;
}

}  // namespace platform
