// The dialog service: message box, input box, colour, font and page set-up dialogs.
// The program shows real dialogs; tests install a scripted responder (tests/support).
#pragma once

#include "platform/Types.h"

#include <QString>
#include <memory>
#include <optional>

class QMessageBox;

namespace platform {

// Message box buttons and icons, combined with |; the values are the classic ones.
namespace Msg {
constexpr int OKOnly = 0;
constexpr int OKCancel = 1;
constexpr int AbortRetryIgnore = 2;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
constexpr int DefaultButton2 = 256;
constexpr int DefaultButton3 = 512;
}  // namespace Msg

// Answers of a message box.
namespace Answer {
constexpr int OK = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace Answer

// What the font dialog edits.
struct FontChoice {
    Font font;
    Color color = 0;
};

// What the page set-up dialog edits; margins in twips.
struct PageSetup {
    bool landscape = false;
    int marginLeft = 1440;
    int marginRight = 1440;
    int marginTop = 1440;
    int marginBottom = 1440;
    QString paperName = QStringLiteral("Letter");
    int paperWidth = 12240;   // twips
    int paperHeight = 15840;  // twips
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // prompt uses CR (13) or CR LF as line breaks. Returns an Answer value.
    virtual int msgBox(const QString& prompt, int flags, const QString& title) = 0;
    // The typed text, or "" when cancelled.
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
    // The chosen colour, or nothing when cancelled.
    virtual std::optional<Color> colorDialog(Color initial) = 0;
    // True when the user confirmed; choice is updated then.
    virtual bool fontDialog(FontChoice& choice) = 0;
    virtual bool pageSetupDialog(PageSetup& setup) = 0;
    // A folder chosen in a folder dialog that opens at startFolder, or nothing when cancelled.
    // A service that offers no such dialog reports every choice as cancelled.
    virtual std::optional<QString> folderDialog(const QString& title, const QString& startFolder) {
        (void)title;
        (void)startFolder;
        return std::nullopt;
    }
};

// The message box the program shows for a prompt, not yet shown: its lines broken where the
// prompt breaks them and nowhere else, the box as wide as its longest line needs; only a line
// wider than the screen wraps, so the box stays within the screen. answerOf gives the answer
// of the button clicked (0 for none).
std::unique_ptr<QMessageBox> makeMessageBox(const QString& prompt, int flags, const QString& title);
int answerOf(const QMessageBox& box);

// The dialog service in force (real dialogs unless a test installed its own).
Dialogs& dialogs();
// Installs a service; the previous one is returned so that it can be put back.
std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> d);

// Shortcuts used by window code.
inline int msgBox(const QString& prompt, int flags = Msg::OKOnly, const QString& title = {}) {
    return dialogs().msgBox(prompt, flags, title);
}
inline QString inputBox(const QString& prompt, const QString& title = {},
                        const QString& defaultText = {}) {
    return dialogs().inputBox(prompt, title, defaultText);
}

// Line break inside a message box prompt.
inline const QString CR = QStringLiteral("\r");

}  // namespace platform
