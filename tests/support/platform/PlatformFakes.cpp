#include "tests/support/platform/PlatformFakes.h"

#include "platform/Controls.h"
#include "platform/Files.h"
#include "platform/Spelling.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>

namespace testsupport {

// ---- FakeScreen ------------------------------------------------------------------------------

void FakeScreen::frameWindows(QMargins normal, QMargins maximised) { frames_ = std::make_pair(normal, maximised); }

std::optional<QMargins> FakeScreen::windowFrame(bool maximised) {
    if (!frames_) return std::nullopt;
    return maximised ? frames_->second : frames_->first;
}

// ---- TempProgramFolder -----------------------------------------------------------------------

TempProgramFolder::TempProgramFolder() {
    oldCurrent_ = QDir::currentPath();
    oldFolder_ = platform::programFolder();
    platform::setProgramFolder(dir_.path());
    platform::makeProgramFolderCurrent();
}

TempProgramFolder::~TempProgramFolder() {
    QDir::setCurrent(oldCurrent_);
    platform::setProgramFolder(oldFolder_);
}

QString TempProgramFolder::file(const QString& name) const { return QDir(dir_.path()).filePath(name); }

void TempProgramFolder::copyContent() {
    QDirIterator it(QStringLiteral(QUORVANE_CONTENT_DIR), QDir::Files);
    // A plain read and write: QFile::copy syncs every copy to the disk, which a throw-away
    // folder does not need and which makes every test that uses the content slow.
    while (it.hasNext()) {
        const QString src = it.next();
        QFile in(src);
        QFile out(file(QFileInfo(src).fileName()));
        if (in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            out.write(in.readAll());
    }
}

void TempProgramFolder::write(const QString& name, const QByteArray& bytes) {
    QFile f(file(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name.toStdString();
    f.write(bytes);
}

QByteArray TempProgramFolder::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

bool TempProgramFolder::exists(const QString& name) const { return QFileInfo::exists(file(name)); }

// ---- ScriptedDialogs -------------------------------------------------------------------------

void ScriptedDialogs::answer(const QString& title, int a) { answers_.emplace_back(title, a); }
void ScriptedDialogs::answerInput(const QString& title, const QString& t) { inputs_.emplace_back(title, t); }
void ScriptedDialogs::answerColor(std::optional<platform::Color> c) { colors_.push_back(c); }
void ScriptedDialogs::answerFont(std::optional<platform::FontChoice> f) { fonts_.push_back(f); }
void ScriptedDialogs::answerPageSetup(std::optional<platform::PageSetup> p) { pageSetups_.push_back(p); }
void ScriptedDialogs::answerFolder(std::optional<QString> f) { folders_.push_back(std::move(f)); }

std::vector<ShownBox> ScriptedDialogs::shownWithTitle(const QString& title) const {
    std::vector<ShownBox> out;
    for (const auto& b : shown_)
        if (b.title == title) out.push_back(b);
    return out;
}

int ScriptedDialogs::pending() const {
    return int(answers_.size() + inputs_.size() + colors_.size() + fonts_.size() + pageSetups_.size() +
               folders_.size());
}

QString ScriptedDialogs::describePending() const {
    QStringList parts;
    for (const auto& [t, a] : answers_) parts << QStringLiteral("box \"%1\" -> %2").arg(t).arg(a);
    for (const auto& [t, a] : inputs_) parts << QStringLiteral("input \"%1\" -> \"%2\"").arg(t, a);
    if (!colors_.empty()) parts << QStringLiteral("%1 colour answers").arg(colors_.size());
    if (!fonts_.empty()) parts << QStringLiteral("%1 font answers").arg(fonts_.size());
    if (!pageSetups_.empty()) parts << QStringLiteral("%1 page set-up answers").arg(pageSetups_.size());
    if (!folders_.empty()) parts << QStringLiteral("%1 folder answers").arg(folders_.size());
    return parts.join(QStringLiteral("; "));
}

int ScriptedDialogs::msgBox(const QString& prompt, int flags, const QString& title) {
    ShownBox b{QStringLiteral("msgbox"), title, prompt, flags, 0};
    for (auto it = answers_.begin(); it != answers_.end(); ++it) {
        if (it->first == title) {
            b.answer = it->second;
            answers_.erase(it);
            shown_.push_back(b);
            if (whileShown) whileShown(b);
            return b.answer;
        }
    }
    ADD_FAILURE() << "unanswered message box: title \"" << title.toStdString() << "\", text \""
                  << prompt.toStdString() << "\"";
    int buttons = flags & 7;
    b.answer = (buttons == platform::Msg::OKCancel || buttons == platform::Msg::YesNoCancel ||
                buttons == platform::Msg::RetryCancel)
                   ? platform::Answer::Cancel
               : buttons == platform::Msg::YesNo ? platform::Answer::No
                                                 : platform::Answer::OK;
    shown_.push_back(b);
    return b.answer;
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title, const QString&) {
    ShownBox b{QStringLiteral("input"), title, prompt, 0, 0};
    for (auto it = inputs_.begin(); it != inputs_.end(); ++it) {
        if (it->first == title) {
            QString t = it->second;
            inputs_.erase(it);
            shown_.push_back(b);
            return t;
        }
    }
    ADD_FAILURE() << "unanswered input box: title \"" << title.toStdString() << "\"";
    shown_.push_back(b);
    return {};
}

std::optional<platform::Color> ScriptedDialogs::colorDialog(platform::Color) {
    shown_.push_back({QStringLiteral("color"), {}, {}, 0, 0});
    if (colors_.empty()) {
        ADD_FAILURE() << "unanswered colour dialog";
        return std::nullopt;
    }
    auto c = colors_.front();
    colors_.pop_front();
    return c;
}

bool ScriptedDialogs::fontDialog(platform::FontChoice& choice) {
    shown_.push_back({QStringLiteral("font"), {}, {}, 0, 0});
    if (fonts_.empty()) {
        ADD_FAILURE() << "unanswered font dialog";
        return false;
    }
    auto f = fonts_.front();
    fonts_.pop_front();
    if (!f) return false;
    choice = *f;
    return true;
}

bool ScriptedDialogs::pageSetupDialog(platform::PageSetup& setup) {
    shown_.push_back({QStringLiteral("pagesetup"), {}, {}, 0, 0});
    if (pageSetups_.empty()) {
        ADD_FAILURE() << "unanswered page set-up dialog";
        return false;
    }
    auto p = pageSetups_.front();
    pageSetups_.pop_front();
    if (!p) return false;
    setup = *p;
    return true;
}

std::optional<QString> ScriptedDialogs::folderDialog(const QString& title, const QString& startFolder) {
    shown_.push_back({QStringLiteral("folder"), title, startFolder, 0, 0});
    if (folders_.empty()) {
        ADD_FAILURE() << "unanswered folder dialog \"" << title.toStdString() << "\"";
        return std::nullopt;
    }
    const bool chosen = folders_.front().has_value();
    const QString f = folders_.front().value_or(QString());
    folders_.pop_front();
    if (!chosen) return std::nullopt;
    return f;
}

// ---- FakeClock -------------------------------------------------------------------------------

FakeClock::FakeClock() : now_(QDate(2026, 12, 10), QTime(10, 0, 0)) {}

void FakeClock::setTime(int h, int m, int s, int ms) { now_.setTime(QTime(h, m, s, ms)); }
void FakeClock::setDate(int y, int m, int d) { now_.setDate(QDate(y, m, d)); }

void FakeClock::pause(int ms) {
    ++pauses_;
    int step = pauseStep_ >= 0 ? pauseStep_ : (ms > 0 ? ms : 1);
    auto it = stalls_.find(pauses_);
    if (it != stalls_.end()) step += it->second;
    now_ = now_.addMSecs(step);
}

// ---- RecordingPrinter -----------------------------------------------------------------------

bool RecordingPrinter::print(platform::PrintDocument& doc, const std::function<void()>& relayout) {
    printedPageCounts.push_back(doc.pageCount());
    if (pdfPath.isEmpty()) return result;
    QPrinter printer(QPrinter::HighResolution);
    platform::preparePrinter(doc, printer);
    suggestedFileNames.push_back(printer.docName());
    if (!result) return false;  // cancelled in the dialog
    if (dialogPaper) printer.setPageSize(QPageSize(*dialogPaper));
    if (dialogLandscape) printer.setPageOrientation(*dialogLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return platform::printOnPrinter(doc, printer, 1, 0, relayout);
}

bool RecordingPrinter::printToPdf(const platform::PrintDocument& doc, const QString& path) {
    pdfs.push_back(path);
    return platform::writePdf(doc, path) && result;
}

// ---- PlatformTest -----------------------------------------------------------------------------

void PlatformTest::SetUp() {
    platform::runtime().destroyAllForms();
    folderOwner_ = std::make_unique<TempProgramFolder>();
    folder = folderOwner_.get();
    auto d = std::make_unique<ScriptedDialogs>();
    dialogs = d.get();
    platform::setDialogs(std::move(d));
    auto c = std::make_unique<FakeClock>();
    clock = c.get();
    platform::setClock(std::move(c));
    auto s = std::make_unique<FakeScreen>();
    screen = s.get();
    platform::setScreen(std::move(s));
    auto p = std::make_unique<RecordingPointer>();
    pointer = p.get();
    platform::setPointer(std::move(p));
    auto sh = std::make_unique<RecordingShell>();
    shell = sh.get();
    platform::setShell(std::move(sh));
    auto h = std::make_unique<RecordingHelp>();
    help = h.get();
    platform::setHelp(std::move(h));
    auto cb = std::make_unique<RecordingClipboard>();
    clipboard = cb.get();
    platform::setClipboard(std::move(cb));
    auto pr = std::make_unique<RecordingPrinter>();
    printer = pr.get();
    platform::setPrinter(std::move(pr));
    auto sp = std::make_unique<ScriptedSpelling>();
    spelling = sp.get();
    platform::setSpellDialogs(std::move(sp));
    platform::runtime().setModalHook([this](platform::Form& f) {
        modalsShown_.push_back(f.typeName());
        auto it = modalHandlers_.find(f.typeName());
        if (it == modalHandlers_.end()) {
            ADD_FAILURE() << "modal window " << f.typeName().toStdString() << " shown with no handler";
            return;
        }
        it->second(f);
    });
    platform::Form::menuPopupHook() = [this](platform::Form&, platform::Menu& m) { popups_.push_back(m.name()); };
}

void PlatformTest::TearDown() {
    if (dialogs && dialogs->pending() != 0)
        ADD_FAILURE() << "scripted answers left unused: " << dialogs->describePending().toStdString();
    if (spelling && spelling->pending() != 0)
        ADD_FAILURE() << "spelling answers left unused: " << spelling->describePending().toStdString();
    platform::runtime().destroyAllForms();
    platform::Form::menuPopupHook() = nullptr;
    folderOwner_.reset();
    folder = nullptr;
}

void PlatformTest::onModal(const QString& typeName, std::function<void(platform::Form&)> handler) {
    modalHandlers_[typeName] = std::move(handler);
}

QByteArray readTestData(const QString& rel) {
    QFile f(QStringLiteral(QUORVANE_TEST_DATA_DIR "/") + rel);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

QByteArray readFixture(const QString& rel) {
    QFile f(QStringLiteral(QUORVANE_FIXTURE_DIR "/") + rel);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

}  // namespace testsupport
