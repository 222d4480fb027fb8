// Runs one restore of the backup set in a folder into a program folder, with no window, and
// counts its file operations for the kill test. Usage: restore_once <program folder>
// <backup folder> <progress file>
#include "backup/DiskRestore.h"
#include "backup/FileSystem.h"
#include "platform/Dialogs.h"
#include "tests/backup/kill/RestoreKill.h"

#include <QFile>

#include <chrono>
#include <fcntl.h>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>

namespace {

restorekill::Progress* progress = nullptr;

void step() {
    const int n = ++progress->operations;
    if (n != progress->target.load()) return;
    progress->reached = 1;
    if (progress->pauseAtTarget.load()) std::this_thread::sleep_for(std::chrono::seconds(5));
}

class CountingFileSystem : public backup::FileSystem {
public:
    platform::ReadResult read(const QString& p) override { step(); return FileSystem::read(p); }
    bool writeNew(const QString& p, const QByteArray& b, QString* w) override { step(); return FileSystem::writeNew(p, b, w); }
    bool remove(const QString& p) override { step(); return FileSystem::remove(p); }
    bool makeFolder(const QString& p) override { step(); return FileSystem::makeFolder(p); }
    bool removeFolder(const QString& p) override { step(); return FileSystem::removeFolder(p); }
    bool link(const QString& a, const QString& b) override { step(); return FileSystem::link(a, b); }
    bool rename(const QString& a, const QString& b) override { step(); return FileSystem::rename(a, b); }
    bool sync(const QString& f, QString* w) override { step(); return FileSystem::sync(f, w); }
};

// A one-disk set: no disk prompt is expected, and any would be cancelled.
class NoOneThere : public backup::DiskUser {
public:
    void ShowStatus(const QString&) override {}
    void ShowProgress(bool) override {}
    void SetProgress(int) override {}
    void Yield() override {}
    int PromptBlankBackupDisk() override { return platform::Answer::Cancel; }
    int PromptNextBackupDisk(int) override { return platform::Answer::Cancel; }
    int PromptRestoreDisk(int) override { return platform::Answer::Cancel; }
    std::optional<QString> ChooseDiskFolder(int) override { return std::nullopt; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 64;
    const int fd = ::open(argv[3], O_RDWR | O_CLOEXEC);
    if (fd < 0) return 66;
    void* mapped = ::mmap(nullptr, sizeof(restorekill::Progress), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED) return 71;
    progress = static_cast<restorekill::Progress*>(mapped);
    platform::setProgramFolder(QFile::decodeName(argv[1]));
    backup::setFileSystem(std::make_unique<CountingFileSystem>());
    NoOneThere user;
    backup::DiskRestore restore(QFile::decodeName(argv[2]), user);
    const backup::RestoreResult result = restore.RestoreFiles();
    progress->finished = result.outcome == backup::RestoreOutcome::Restored ? 1 : 2;
    return 0;
}
