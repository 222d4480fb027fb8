// The fakes of the platform layer's services that every test shares: a temporary program
// folder, a scripted dialog responder, a fake clock and screen, recorders for shell, help,
// clipboard, pointer and printer, and handlers for windows shown modally. Links the platform
// layer only, so that the platform's own tests never reach the program.
#pragma once

#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/PrintPreview.h"
#include "platform/Services.h"
#include "tests/support/platform/ScriptedSpelling.h"

#include <QByteArray>
#include <QDateTime>
#include <QMargins>
#include <QPageSize>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <vector>

namespace testsupport {

// A fresh program folder for one test, made the program's folder and current directory.
class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const;
    // Copies the shipped content documents (content/) into the folder.
    void copyContent();
    void write(const QString& name, const QByteArray& bytes);
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;

private:
    QTemporaryDir dir_;
    QString oldCurrent_;
    QString oldFolder_;
};

// One message box (or input box) as the program showed it.
struct ShownBox {
    QString kind;  // "msgbox", "input", "color", "font", "pagesetup", "folder" (text: its start)
    QString title;
    QString text;
    int flags = 0;
    int answer = 0;
};

// Answers dialogs from a script. A box that nothing answers fails the test; so does an
// answer left unused when the test ends.
class ScriptedDialogs : public platform::Dialogs {
public:
    void answer(const QString& title, int answer);
    void answerInput(const QString& title, const QString& text);
    void answerColor(std::optional<platform::Color> c);
    void answerFont(std::optional<platform::FontChoice> f);
    void answerPageSetup(std::optional<platform::PageSetup> p);
    // The next folder dialog gives this folder (nothing: cancelled).
    void answerFolder(std::optional<QString> folder);

    const std::vector<ShownBox>& shown() const { return shown_; }
    void clearShown() { shown_.clear(); }
    // Every box shown with this title.
    std::vector<ShownBox> shownWithTitle(const QString& title) const;
    int pending() const;
    QString describePending() const;
    // Runs while a message box is up, so a test can look at the window behind it.
    std::function<void(const ShownBox&)> whileShown;

    int msgBox(const QString& prompt, int flags, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& def) override;
    std::optional<platform::Color> colorDialog(platform::Color initial) override;
    bool fontDialog(platform::FontChoice& choice) override;
    bool pageSetupDialog(platform::PageSetup& setup) override;
    std::optional<QString> folderDialog(const QString& title, const QString& startFolder) override;

private:
    std::deque<std::pair<QString, int>> answers_;
    std::deque<std::pair<QString, QString>> inputs_;
    std::deque<std::optional<platform::Color>> colors_;
    std::deque<std::optional<platform::FontChoice>> fonts_;
    std::deque<std::optional<platform::PageSetup>> pageSetups_;
    std::deque<std::optional<QString>> folders_;
    std::vector<ShownBox> shown_;
};

// A clock that stands still until told, and moves on by itself while a wait pauses.
class FakeClock : public platform::Clock {
public:
    FakeClock();
    void set(const QDateTime& t) { now_ = t; }
    void setTime(int h, int m, int s, int ms = 0);
    void setDate(int y, int m, int d);
    void advance(int ms) { now_ = now_.addMSecs(ms); }
    QDateTime now() const { return now_; }
    // How far each pause moves the clock (default: exactly the pause asked for).
    void setPauseStep(int ms) { pauseStep_ = ms; }
    int pauses() const { return pauses_; }
    // Extra time added at the n-th pause (a thread held up).
    void stallAtPause(int n, int ms) { stalls_[n] = ms; }

    QTime timeOfDay() override { return now_.time(); }
    QDate today() override { return now_.date(); }
    void pause(int ms) override;

private:
    QDateTime now_;
    int pauseStep_ = -1;
    int pauses_ = 0;
    std::map<int, int> stalls_;
};

// The frame a window manager such as openbox draws: a title bar and thin borders around a
// normal window, the title bar alone above a maximised one (pixels).
inline const QMargins NormalWindowFrame{1, 20, 1, 5};
inline const QMargins MaximisedWindowFrame{0, 19, 0, 0};

class FakeScreen : public platform::Screen {
public:
    FakeScreen(int widthTwips = 15360, int heightTwips = 11520) : w_(widthTwips), h_(heightTwips) {}
    void setSize(int w, int h) { w_ = w; h_ = h; }
    int widthTwips() override { return w_; }
    int heightTwips() override { return h_; }
    int twipsPerPixelX() override { return 15; }
    int twipsPerPixelY() override { return 15; }
    // Windows on this screen framed as a window manager frames them: a shown window has the
    // frame, known once it is on the screen, and a maximised window is as large as the screen
    // inside its frame (the platform makes it so, after it is shown, as a window manager
    // does). So a window's client area is what it is on a desktop: the screen less the frame
    // and the menu bar.
    void frameWindows(QMargins normal = NormalWindowFrame, QMargins maximised = MaximisedWindowFrame);
    std::optional<QMargins> windowFrame(bool maximised) override;

private:
    int w_, h_;
    std::optional<std::pair<QMargins, QMargins>> frames_;
};

class RecordingPointer : public platform::Pointer {
public:
    void setHourglass(bool on) override { on_ = on; history.push_back(on); }
    bool hourglass() const override { return on_; }
    std::vector<bool> history;

private:
    bool on_ = false;
};

class RecordingShell : public platform::Shell {
public:
    bool openUrl(const QString& url) override { urls.push_back(url); return result; }
    std::vector<QString> urls;
    bool result = true;
};

class RecordingHelp : public platform::Help {
public:
    bool showHelp(const QString& file, int id) override { calls.emplace_back(file, id); return result; }
    std::vector<std::pair<QString, int>> calls;
    bool result = true;
};

class RecordingClipboard : public platform::Clipboard {
public:
    bool setRichText(const QByteArray& rtf, const QString& plain) override {
        rtfs.push_back(rtf); texts.push_back(plain); return result;
    }
    bool setText(const QString& t) override { texts.push_back(t); return result; }
    bool setImage(const QImage& img) override { images.push_back(img); return result; }
    std::vector<QByteArray> rtfs;
    std::vector<QString> texts;
    std::vector<QImage> images;
    bool result = true;
};

// Records every print request instead of opening the system's print dialog. When pdfPath is
// set, the print dialog is answered as a user printing to a PDF file would: on the printer
// set up for the document (the name the dialog suggests is recorded), with the paper and
// orientation the test chose for the dialog, and the pages are printed there through the
// program's own printing, so that a test can look at what would be printed.
class RecordingPrinter : public platform::Printer {
public:
    bool print(platform::PrintDocument& doc, const std::function<void()>& relayout) override;
    bool printToPdf(const platform::PrintDocument& doc, const QString& path) override;
    std::vector<int> printedPageCounts;
    std::vector<QString> pdfs;
    QString pdfPath;
    bool result = true;
    // What the user picks in the print dialog (nothing: left as it opened).
    std::optional<QPageSize::PageSizeId> dialogPaper;
    std::optional<bool> dialogLandscape;
    // The file name the print dialog suggested, one per print.
    std::vector<QString> suggestedFileNames;
};

// The base of tests that run windows of the platform layer: every service faked, a fresh
// program folder, the form runtime emptied before and after.
class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // What to do when a window of this class name is shown modally (press OK, type...).
    // A modal window without a handler fails the test and is closed.
    void onModal(const QString& typeName, std::function<void(platform::Form&)> handler);
    // Popups shown (menu names), in order.
    const std::vector<QString>& popups() const { return popups_; }

    TempProgramFolder* folder = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    FakeClock* clock = nullptr;
    FakeScreen* screen = nullptr;
    RecordingPointer* pointer = nullptr;
    RecordingShell* shell = nullptr;
    RecordingHelp* help = nullptr;
    RecordingClipboard* clipboard = nullptr;
    RecordingPrinter* printer = nullptr;
    ScriptedSpelling* spelling = nullptr;

private:
    std::map<QString, std::function<void(platform::Form&)>> modalHandlers_;
    std::vector<QString> modalsShown_;
    std::vector<QString> popups_;
    std::unique_ptr<TempProgramFolder> folderOwner_;
};

// Reads a whole file of the test data folder (tests/data) or the fixtures (tests/fixtures).
QByteArray readTestData(const QString& relativePath);
QByteArray readFixture(const QString& relativePath);

}  // namespace testsupport
