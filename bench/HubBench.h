// What the benchmarks of the Action Area share: a program folder with the shipped content
// documents, every message box answered at once, and a fresh run up to the start window.
#pragma once

#include "frame/HINFO1.h"
#include "frame/Startfrm.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Form.h"

#include <QDir>
#include <QTemporaryDir>

namespace hubbench {

// Every box is answered at once: OK where it is the only button, No where there is a choice,
// so no page switch saves and no run ends the program.
class AnsweringDialogs : public platform::Dialogs {
public:
    int msgBox(const QString&, int flags, const QString&) override {
        return (flags & 7) == platform::Msg::OKOnly ? platform::Answer::OK : platform::Answer::No;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<platform::Color> colorDialog(platform::Color) override { return std::nullopt; }
    bool fontDialog(platform::FontChoice&) override { return false; }
    bool pageSetupDialog(platform::PageSetup&) override { return false; }
};

// A program folder with the shipped content documents, as the program runs from.
inline QTemporaryDir& programFolder() {
    static QTemporaryDir dir;
    static bool made = [] {
        const QDir content(QStringLiteral(QUORVANE_CONTENT_DIR));
        for (const QString& name : content.entryList(QDir::Files))
            QFile::copy(content.filePath(name), dir.filePath(name));
        platform::setProgramFolder(dir.path());
        platform::makeProgramFolderCurrent();
        platform::setDialogs(std::make_unique<AnsweringDialogs>());
        return true;
    }();
    (void)made;
    return dir;
}

// A fresh run up to the start window, with the splash already seen.
inline void startProgram() {
    platform::runtime().destroyAllForms();
    SplashShown = SplashWasShown;
    platform::defaultInstance<Startfrm>().show();
}

}  // namespace hubbench
