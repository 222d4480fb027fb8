#include "platform/Services.h"

#include <QClipboard>
#include <QCursor>
#include <QDateTime>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

namespace platform {

namespace {

class SystemClock : public Clock {
public:
    QTime timeOfDay() override { return QTime::currentTime(); }
    QDate today() override { return QDate::currentDate(); }
    void pause(int ms) override { QThread::msleep(ms > 0 ? ms : 1); }
};

class SystemScreen : public Screen {
public:
    int widthTwips() override { return px().width() * twipsPerPixelX(); }
    int heightTwips() override { return px().height() * twipsPerPixelY(); }
    int twipsPerPixelX() override { return tpp(true); }
    int twipsPerPixelY() override { return tpp(false); }

private:
    static QSize px() {
        QScreen* s = QGuiApplication::primaryScreen();
        return s ? s->size() : QSize(1024, 768);
    }
    static int tpp(bool x) {
        QScreen* s = QGuiApplication::primaryScreen();
        double dpi = s ? (x ? s->logicalDotsPerInchX() : s->logicalDotsPerInchY()) : 96.0;
        if (dpi < 48) dpi = 96;
        int t = int(1440.0 / dpi + 0.5);
        return t > 0 ? t : 15;
    }
};

class SystemPointer : public Pointer {
public:
    void setHourglass(bool on) override {
        if (on == on_) return;
        on_ = on;
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
        if (on)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    }
    bool hourglass() const override { return on_; }

private:
    bool on_ = false;
};

class SystemShell : public Shell {
public:
    bool openUrl(const QString& url) override {
        QUrl u = QUrl::fromUserInput(url);
        if (!u.isValid()) return false;
        // Qt's own call only says that the desktop's opener was started; the opener itself
        // tells by its exit code whether it found a way to open the address.
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty()) return QDesktopServices::openUrl(u);
        auto* process = new QProcess(QCoreApplication::instance());
        process->setProgram(opener);
        process->setArguments({u.toString(QUrl::FullyEncoded)});
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->setStandardInputFile(QProcess::nullDevice());
        process->start();
        if (!process->waitForStarted(OpenerStartMs)) {
            delete process;
            return false;
        }
        if (process->waitForFinished(OpenerAnswerMs)) {
            const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
            process->deleteLater();
            return opened;
        }
        // Still running: a browser started in the foreground has the address.
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return true;
    }

private:
    static constexpr int OpenerStartMs = 2000;
    static constexpr int OpenerAnswerMs = 3000;
};

// Until the program installs its help viewer, help requests report that nothing opened.
class NoHelp : public Help {
public:
    bool showHelp(const QString&, int) override { return false; }
};

class SystemClipboard : public Clipboard {
public:
    bool setRichText(const QByteArray& rtf, const QString& plainText) override {
        QClipboard* cb = QGuiApplication::clipboard();
        if (!cb) return false;
        auto* data = new QMimeData;
        data->setData(QStringLiteral("text/rtf"), rtf);
        data->setData(QStringLiteral("text/richtext"), rtf);
        data->setText(plainText);
        cb->setMimeData(data);
        const QMimeData* back = cb->mimeData();
        return back && back->hasFormat(QStringLiteral("text/rtf"));
    }
    bool setText(const QString& text) override {
        QClipboard* cb = QGuiApplication::clipboard();
        if (!cb) return false;
        cb->setText(text);
        return cb->text() == text;
    }
    bool setImage(const QImage& image) override {
        QClipboard* cb = QGuiApplication::clipboard();
        if (!cb || image.isNull()) return false;
        cb->setImage(image);
        return !cb->image().isNull();
    }
};

template <class T>
struct Slot {
    std::unique_ptr<T> current;
    template <class Default>
    T& get() {
        if (!current) current = std::make_unique<Default>();
        return *current;
    }
    std::unique_ptr<T> replace(std::unique_ptr<T> next) {
        std::unique_ptr<T> old = std::move(current);
        current = std::move(next);
        return old;
    }
};

Slot<Clock>& clockSlot() { static Slot<Clock> s; return s; }
Slot<Screen>& screenSlot() { static Slot<Screen> s; return s; }
Slot<Pointer>& pointerSlot() { static Slot<Pointer> s; return s; }
Slot<Shell>& shellSlot() { static Slot<Shell> s; return s; }
Slot<Help>& helpSlot() { static Slot<Help> s; return s; }
Slot<Clipboard>& clipboardSlot() { static Slot<Clipboard> s; return s; }

}  // namespace

Clock& clock() { return clockSlot().get<SystemClock>(); }
Screen& screen() { return screenSlot().get<SystemScreen>(); }
Pointer& pointer() { return pointerSlot().get<SystemPointer>(); }
Shell& shell() { return shellSlot().get<SystemShell>(); }
Help& help() { return helpSlot().get<NoHelp>(); }
Clipboard& clipboard() { return clipboardSlot().get<SystemClipboard>(); }

std::unique_ptr<Clock> setClock(std::unique_ptr<Clock> c) { return clockSlot().replace(std::move(c)); }
std::unique_ptr<Screen> setScreen(std::unique_ptr<Screen> s) { return screenSlot().replace(std::move(s)); }
std::unique_ptr<Pointer> setPointer(std::unique_ptr<Pointer> p) { return pointerSlot().replace(std::move(p)); }
std::unique_ptr<Shell> setShell(std::unique_ptr<Shell> s) { return shellSlot().replace(std::move(s)); }
std::unique_ptr<Help> setHelp(std::unique_ptr<Help> h) { return helpSlot().replace(std::move(h)); }
std::unique_ptr<Clipboard> setClipboard(std::unique_ptr<Clipboard> c) { return clipboardSlot().replace(std::move(c)); }

QString englishMonthName(int month) {
    static const char* names[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};
    return (month >= 1 && month <= 12) ? QString::fromLatin1(names[month - 1]) : QString();
}

QString englishDayName(int day) {
    static const char* names[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    return (day >= 1 && day <= 7) ? QString::fromLatin1(names[day - 1]) : QString();
}

}  // namespace platform
