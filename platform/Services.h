// Injectable services: clock, screen, mouse pointer, shell, help and clipboard.
// The program uses the real ones; tests install fakes that record every call.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QImage>
#include <QMargins>
#include <QString>
#include <QTime>
#include <memory>
#include <optional>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QTime timeOfDay() = 0;
    virtual QDate today() = 0;
    // Lets a short real time pass without processing events (waits sleep here instead of
    // spinning). A fake clock advances itself instead.
    virtual void pause(int milliseconds) = 0;
};

class Screen {
public:
    virtual ~Screen() = default;
    virtual int widthTwips() = 0;
    virtual int heightTwips() = 0;
    virtual int twipsPerPixelX() = 0;
    virtual int twipsPerPixelY() = 0;
    // The frame (title bar and borders, pixels) a window manager puts around a shown normal or
    // maximised window, where the screen itself says it (a screen that stands in for a desktop
    // with a window manager); nullopt: the window system tells it for each window shown.
    virtual std::optional<QMargins> windowFrame(bool maximised) {
        (void)maximised;
        return std::nullopt;
    }
};

// The mouse pointer: the hourglass is one on/off state, not a counted stack.
class Pointer {
public:
    virtual ~Pointer() = default;
    virtual void setHourglass(bool on) = 0;
    virtual bool hourglass() const = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a web address in the desktop's browser. False when it could not be handed over.
    virtual bool openUrl(const QString& url) = 0;
};

class Help {
public:
    virtual ~Help() = default;
    // Opens the help viewer on helpFile at a context id (0: the contents page).
    virtual bool showHelp(const QString& helpFile, int contextId) = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Rich text goes on the clipboard as "text/rtf" with a plain-text copy beside it.
    virtual bool setRichText(const QByteArray& rtf, const QString& plainText) = 0;
    virtual bool setText(const QString& text) = 0;
    virtual bool setImage(const QImage& image) = 0;
};

Clock& clock();
Screen& screen();
Pointer& pointer();
Shell& shell();
Help& help();
Clipboard& clipboard();

std::unique_ptr<Clock> setClock(std::unique_ptr<Clock> c);
std::unique_ptr<Screen> setScreen(std::unique_ptr<Screen> s);
std::unique_ptr<Pointer> setPointer(std::unique_ptr<Pointer> p);
std::unique_ptr<Shell> setShell(std::unique_ptr<Shell> s);
std::unique_ptr<Help> setHelp(std::unique_ptr<Help> h);
std::unique_ptr<Clipboard> setClipboard(std::unique_ptr<Clipboard> c);

// English month and day names whatever the locale: "Thursday, December 10, 2026" style parts.
QString englishMonthName(int month);
QString englishDayName(int dayOfWeek);  // 1 Monday .. 7 Sunday

}  // namespace platform
