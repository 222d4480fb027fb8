#include "platform/Program.h"

#include "platform/Files.h"

#include <QApplication>
#include <QStyleFactory>

namespace platform {

void initializeProgram(const QString& name) {
    QCoreApplication::setApplicationName(name);
    if (QStyle* s = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(s);
    setProgramFolder(QCoreApplication::applicationDirPath());
    makeProgramFolderCurrent();
}

}  // namespace platform
