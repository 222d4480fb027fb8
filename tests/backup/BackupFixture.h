// Shared by the backup and restore tests: a user set written into the program folder, backup
// disks as temporary folders behind one "drive" path that a test points at the disk it
// "inserts", a file system that fails the way full, unreadable and vanishing disks do, and a
// scripted user who answers the disk prompts.
#pragma once

#include "backup/DiskBackup.h"
#include "backup/DiskRestore.h"
#include "backup/DiskUser.h"
#include "platform/FileFaults.h"
#include "platform/Files.h"
#include "backup/UserFiles.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace backuptest {

// A disk that fails chosen operations, through the file layer's one fault seam; everything
// else runs on the real file system.
class FaultyFileSystem : public platform::FileFaultHook {
public:
    explicit FaultyFileSystem(std::vector<QString>* log);
    ~FaultyFileSystem() override;

    // The disk holding `folder` takes `bytes` in all; a write that does not fit fails with
    // "No space left on device" and leaves nothing.
    void setCapacity(const QString& folder, qint64 bytes) { capacity_[canonical(folder)] = bytes; }
    void failReadOf(const QString& name) { unreadable_ << name.toLower(); }
    void failWriteOf(const QString& name) { unwritable_ << name.toLower(); }
    void failRemoveOf(const QString& name) { unremovable_ << name.toLower(); }
    // The n-th call from now (1 = the next) fails.
    void failRename(int n) { renameFail_ = renames_ + n; }
    void failSync(int n) { syncFail_ = syncs_ + n; }
    void failLinks() { noLinks_ = true; }
    // Kept for the tests that ask for it: every flush is a real one.
    void flushForReal(bool) {}
    // Runs after each successful read, with the path read.
    std::function<void(const QString&)> afterReadOf;

    int renames() const { return renames_; }

    int beforeStep(platform::FileStep step, const QString& file, qint64* bytes) override;
    void afterRead(const QString& file) override {
        if (afterReadOf) afterReadOf(file);
    }

    static QString canonical(const QString& folder);

private:
    static QString nameOf(const QString& path) { return QFileInfo(path).fileName().toLower(); }
    std::vector<QString>* log_;
    QMap<QString, qint64> capacity_;
    QStringList unreadable_, unwritable_, unremovable_;
    int renames_ = 0, renameFail_ = -1;
    int syncs_ = 0, syncFail_ = -1;
    bool noLinks_ = false;
    QString creating_;
    platform::FileFaultHook* previous_ = nullptr;
};

// Answers the disk prompts from a script. A prompt that nothing answers fails the test and is
// cancelled, so no loop can run on.
class ScriptedDiskUser : public backup::DiskUser {
public:
    explicit ScriptedDiskUser(std::vector<QString>* log) : log_(log) {}

    // The next prompt of this kind ("blank", "next", "restore") gets `answer`, after `before`
    // ran (a test changes the disk there).
    void answer(const QString& kind, backup::DiskAnswer answer, std::function<void()> before = {});
    // The next folder choice gives this folder (nothing: the user cancelled).
    void chooseFolder(std::optional<QString> folder) { folders_.push_back(std::move(folder)); }
    bool allUsed() const { return answers_.empty() && folders_.empty(); }

    std::vector<QString> statuses;
    std::vector<int> progress;
    bool progressVisible = false;
    std::function<void(int)> onProgress;

    void ShowStatus(const QString& text) override { statuses.push_back(text); }
    void ShowProgress(bool visible) override { progressVisible = visible; }
    void SetProgress(int value) override;
    void Yield() override {}
    backup::DiskAnswer PromptBlankBackupDisk() override { return next(QStringLiteral("blank"), 1); }
    backup::DiskAnswer PromptNextBackupDisk(int disk) override { return next(QStringLiteral("next"), disk); }
    backup::DiskAnswer PromptRestoreDisk(int disk) override { return next(QStringLiteral("restore"), disk); }
    std::optional<QString> ChooseDiskFolder(int disk) override;

private:
    backup::DiskAnswer next(const QString& kind, int disk);
    struct Answer {
        QString kind;
        backup::DiskAnswer answer;
        std::function<void()> before;
    };
    std::vector<QString>* log_;
    std::deque<Answer> answers_;
    std::deque<std::optional<QString>> folders_;
};

// The bytes of user file `i` of the 169 (0-5 the fixed set, then the numbered set) in a
// user set made from `seed`: different sets give different bytes and sizes.
QByteArray userFileBytes(int i, int seed, int size = 0);

// Whether two sets of files (name -> bytes) are the same; otherwise which names differ.
::testing::AssertionResult sameFiles(const std::map<QString, QByteArray>& actual,
                                     const std::map<QString, QByteArray>& expected);

class BackupTest : public testsupport::ProgramTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the user set `seed` into the program folder: every file, or those for which
    // `present(i)` is true. Returns the program-folder names and bytes written.
    std::map<QString, QByteArray> writeUserSet(int seed, std::function<bool(int)> present = {});
    // Every user file now in the program folder (by its name there) with its bytes.
    std::map<QString, QByteArray> userFilesInProgramFolder() const;
    // Every file name of a folder (letter case as on disk).
    static QStringList filesIn(const QString& folder);
    // The program folder's files apart from the user files, with their bytes.
    std::map<QString, QByteArray> otherFilesInProgramFolder() const;

    // The backup and the restore on the drive, answered by `user`.
    backup::BackupResult backUp(const QString& identity = QStringLiteral("Set TEST")) {
        backup::DiskBackup b(drive(), *user, identity);
        return b.StartBackup();
    }
    backup::RestoreResult restore() {
        backup::DiskRestore r(drive(), *user);
        return r.RestoreFiles();
    }

    // Backup disk n (1..): a folder of its own. The drive shows the disk inserted last.
    QString disk(int n);
    QString drive() const { return drive_; }
    void insert(int n);
    // The drive shows this folder (a medium mounted elsewhere).
    void insertFolder(const QString& path);
    // Takes the medium out: the drive's folder is gone.
    void eject();

    // The program folder of these tests (on a memory file system where there is one, so that
    // the hundreds of files a test writes cost little) and its files.
    QString programPath() const { return program_; }
    void writeProgramFile(const QString& name, const QByteArray& bytes);
    QByteArray readProgramFile(const QString& name) const { return readFile(program_ + QLatin1Char('/') + name); }

    QByteArray readFile(const QString& path) const;
    QByteArray diskInfoRecord(const QString& folder, int record) const;

    std::vector<QString> log;
    FaultyFileSystem* fs = nullptr;
    std::unique_ptr<ScriptedDiskUser> user;

private:
    std::unique_ptr<QTemporaryDir> base_;
    QString program_;
    QString media_;
    QString oldProgramFolder_, oldCurrent_;
    QString drive_;
    std::map<int, QString> disks_;
    std::unique_ptr<FaultyFileSystem> faulty_;
};

}  // namespace backuptest
