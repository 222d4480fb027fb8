// The program starts with its start window; nothing else is an entry point.
#include "frame/Navigation.h"
#include "frame/SharedBehaviours.h"
#include "platform/Program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::initializeProgram(QStringLiteral("Quorvane"));
    platform::Form::setHelpFile(HelpFileName);
    frame::ShowStartWindow();
    int result = platform::runtime().runMainLoop();
    platform::runtime().destroyAllForms();
    return result;
}
