#include "platform/Program.h"

#include "platform/Files.h"
#include "platform/Form.h"
#include "platform/HelpViewer.h"
#include "platform/Services.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QStyleFactory>
#include <QWidget>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    char c = 1;
    ssize_t ignored = ::write(signalPipe[1], &c, 1);
    (void)ignored;
}

// A request to end the session (log-out, shutdown, kill) closes the active window as its close
// box would, so that its Unload runs and the program ends the way it always does. A window
// whose Unload hands over to another one (a reference window showing the Action Area again)
// is followed by that one, until the program ends or a window stays open (the user cancelled).
void installTerminationHandler() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char c;
        ssize_t ignored = ::read(signalPipe[0], &c, 1);
        (void)ignored;
        auto visibleForm = [] {
            Form* f = runtime().activeForm();
            if (!f)
                for (Form* candidate : runtime().forms())
                    if (candidate->isVisible()) f = candidate;
            return f;
        };
        for (int round = 0; round < 8 && !runtime().ended(); ++round) {
            Form* f = visibleForm();
            if (!f || !f->widget()) {
                QCoreApplication::quit();
                return;
            }
            f->widget()->close();
            if (!runtime().ended() && f->isVisible()) return;  // its Unload was cancelled
        }
    });
    struct sigaction sa {};
    sa.sa_handler = onTerminationSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
}

}  // namespace

void initializeProgram(const QString& name) {
    QCoreApplication::setApplicationName(name);
    if (QStyle* s = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(s);
    setProgramFolder(QCoreApplication::applicationDirPath());
    makeProgramFolderCurrent();
    setHelp(makeViewerHelp());
    installTerminationHandler();
}

}  // namespace platform
