// The program starts with its start window; nothing else is an entry point.
#include "frame/SharedBehaviours.h"
#include "frame/Startfrm.h"
#include "platform/Program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::initializeProgram(QStringLiteral("Quorvane"));
    platform::Form::setHelpFile(HelpFileName);
    platform::defaultInstance<Startfrm>().show();
    int result = app.exec();
    platform::runtime().destroyAllForms();
    return result;
}
