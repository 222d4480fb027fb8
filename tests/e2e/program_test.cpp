// The real program, started in a fresh copy of its folder: it reaches the start window, shows
// the content documents while it is up, and leaves them hidden and its settings file behind
// when it ends.
#include "frame/Navigation.h"
#include "frame/Startfrm.h"
#include "platform/Files.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <map>

namespace {

QStringList contentDocuments() {
    QStringList names;
    for (int n = 0; n <= 63; ++n) names << QStringLiteral("Misc%1.Hlp").arg(n);
    for (int n = 0; n <= 24; ++n) names << QStringLiteral("PR%1.Hlp").arg(n);
    return names;
}

QStringList hiddenList(const QString& folder) {
    QFile f(QDir(folder).filePath(QStringLiteral(".hidden")));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

TEST(ProgramEndToEnd, StartsInItsFolderAndLeavesTheExpectedFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDirIterator it(QStringLiteral(QUORVANE_PROGRAM_DIR), QDir::Files);
    while (it.hasNext()) {
        QString src = it.next();
        ASSERT_TRUE(QFile::copy(src, dir.filePath(QFileInfo(src).fileName()))) << src.toStdString();
    }
    QFile::setPermissions(dir.filePath(QStringLiteral("quorvane")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // As after an earlier run: every content document hidden.
    {
        QFile f(dir.filePath(QStringLiteral(".hidden")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contentDocuments().join(QLatin1Char('\n')).toUtf8() + "\n");
    }
    // As after a save that a crash cut off before its rename.
    {
        QFile f(dir.filePath(QStringLiteral(".Action0.Fil.~save-Xy12ab")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("{\\rtf1 half a docu");
    }

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    // Started from another folder: the program makes its own folder current.
    program.setWorkingDirectory(QDir::tempPath());
    program.start(dir.filePath(QStringLiteral("quorvane")), {});
    ASSERT_TRUE(program.waitForStarted(10000));

    // The start window's Activate makes the content documents visible (after the splash).
    QElapsedTimer timer;
    timer.start();
    bool visible = false;
    while (timer.elapsed() < 30000 && program.state() == QProcess::Running) {
        if (hiddenList(dir.path()).isEmpty()) {
            visible = true;
            break;
        }
        program.waitForFinished(100);
    }
    ASSERT_TRUE(visible) << "the start window did not come up";
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("GColor3.Fil"))));
    EXPECT_EQ(QFileInfo(dir.filePath(QStringLiteral("GColor3.Fil"))).size(), 0);

    // Ending the session closes the start window as its close box would.
    ::kill(program.processId(), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    QStringList hidden = hiddenList(dir.path());
    for (const QString& name : contentDocuments()) EXPECT_TRUE(hidden.contains(name)) << name.toStdString();
    EXPECT_EQ(QFileInfo(dir.filePath(QStringLiteral("GColor3.Fil"))).size(), 0);
    // No settings but the ones it read, no temporary files: the interrupted save's is gone.
    QStringList made = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : made)
        EXPECT_FALSE(platform::isInterruptedSaveName(name) || name.contains(QStringLiteral(".tmp")) ||
                     name.endsWith(QLatin1Char('~')))
            << name.toStdString();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("HINV3.Fil"))));
    EXPECT_EQ(QFileInfo(dir.filePath(QStringLiteral("HINV3.Fil"))).size(), 0);
}

// Every file under a folder with its bytes, and when it was last changed.
std::map<QString, QByteArray> folderBytes(const QString& root) {
    std::map<QString, QByteArray> out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        QByteArray bytes = info.lastModified().toString(Qt::ISODateWithMs).toLatin1() + ' ';
        if (info.isFile()) {
            QFile f(path);
            if (f.open(QIODevice::ReadOnly)) bytes += f.readAll();
        }
        out[QDir(root).relativeFilePath(path)] = bytes;
    }
    return out;
}

// A second start of the program on a folder that a running copy works on: it says so and ends,
// and not one byte of the folder changes. The first copy is the real program in a process of
// its own; the second is the program's start in this test process, with its message answered.
class SecondCopy : public testsupport::ProgramTest {};

TEST_F(SecondCopy, OnAFolderInUseSaysSoAndChangesNoByte) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDirIterator it(QStringLiteral(QUORVANE_PROGRAM_DIR), QDir::Files);
    while (it.hasNext()) {
        QString src = it.next();
        ASSERT_TRUE(QFile::copy(src, dir.filePath(QFileInfo(src).fileName()))) << src.toStdString();
    }
    QFile::setPermissions(dir.filePath(QStringLiteral("quorvane")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    {
        QFile f(dir.filePath(QStringLiteral(".hidden")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contentDocuments().join(QLatin1Char('\n')).toUtf8() + "\n");
    }
    // What a restore stopped half-way leaves: the second copy must not put it back.
    {
        QDir().mkpath(dir.filePath(QStringLiteral(".restore-staging")));
        QFile f(dir.filePath(QStringLiteral(".restore-staging/Action0.Fil")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("{\\rtf1 half a restore}");
    }
    QProcess first;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    first.setProcessEnvironment(env);
    first.start(dir.filePath(QStringLiteral("quorvane")), {});
    ASSERT_TRUE(first.waitForStarted(10000));
    QElapsedTimer timer;
    timer.start();
    bool up = false;
    while (timer.elapsed() < 30000 && first.state() == QProcess::Running) {
        if (hiddenList(dir.path()).isEmpty()) {
            up = true;
            break;
        }
        first.waitForFinished(100);
    }
    ASSERT_TRUE(up) << "the first copy did not come up";
    // The first copy cleared what the stopped restore left, under its lock.
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral(".restore-staging"))));

    platform::setProgramFolder(dir.path());
    const auto before = folderBytes(dir.path());
    dialogs->answer(QStringLiteral("Quorvane"), platform::Answer::OK);
    frame::ShowStartWindow();
    const auto shown = dialogs->shownWithTitle(QStringLiteral("Quorvane"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.startsWith(QStringLiteral("Quorvane is already running with the files of this folder:")))
        << shown[0].text.toStdString();
    EXPECT_TRUE(shown[0].text.contains(dir.path()));
    EXPECT_TRUE(platform::runtime().ended());
    EXPECT_EQ(platform::existingInstance<Startfrm>(), nullptr);
    EXPECT_EQ(folderBytes(dir.path()), before);

    // The lock goes with the process that held it, however it ends.
    first.kill();
    ASSERT_TRUE(first.waitForFinished(20000));
    EXPECT_EQ(platform::lockProgramFolder(QStringLiteral(".quorvane.lock")), platform::FolderLock::Held);
    platform::setProgramFolder(folder->path());
}

}  // namespace
